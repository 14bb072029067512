#include "app/pages/JoysticksFields.h"

namespace app {

namespace {

using collectors::JoystickItem;

constexpr Field<JoystickItem> kFields[] = {
    {"LabelJoysticksName", FieldKind::kText,
     [](const JoystickItem& j, const format::FormatEx&) { return field::NonEmpty(j.Name()); }},
    {"LabelJoysticksAxes", FieldKind::kText,
     [](const JoystickItem& j, const format::FormatEx&) { return field::Text(j.Axes() != 0, field::Decimal(j.Axes())); }},
    {"LabelJoysticksButtons", FieldKind::kText,
     [](const JoystickItem& j, const format::FormatEx&) {
         return field::Text(j.Buttons() != 0, field::Decimal(j.Buttons()));
     }},
};

}  // namespace

std::span<const Field<JoystickItem>> JoysticksFields() { return kFields; }

}  // namespace app
