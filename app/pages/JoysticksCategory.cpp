#include "app/pages/JoysticksCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Joysticks.h"

namespace app {

namespace {

using C = RowColumn;

constexpr PageRow kRows[] = {
    {"LabelIndex(8)", "Index:", L"Index:", 1, C::kFull, true},
    {"LabelJoysticksName", "Name:", L"Naam:", 2},
    {"LabelJoysticksAxes", "Axes:", L"Assen:", 3},
    {"LabelJoysticksButtons", "Buttons:", L"Knoppen:", 4},
};

using collectors::JoystickItem;

constexpr Field<JoystickItem> kFields[] = {
    {"LabelJoysticksName", FieldKind::kText,
     [](const JoystickItem& j, const format::FormatEx&) { return field::NonEmpty(j.Name()); }},
    {"LabelJoysticksAxes", FieldKind::kText,
     [](const JoystickItem& j, const format::FormatEx&) { return field::Integer(j.Axes() != 0, j.Axes()); }},
    {"LabelJoysticksButtons", FieldKind::kText,
     [](const JoystickItem& j, const format::FormatEx&) {
         return field::Integer(j.Buttons() != 0, j.Buttons());
     }},
};

std::span<const Field<JoystickItem>> JoysticksFields() { return kFields; }

constexpr FieldKey kKeys[] = {
    {"LabelIndex(8)", "Index"},
    {"LabelJoysticksName", "Name"},
    {"LabelJoysticksAxes", "Axes"},
    {"LabelJoysticksButtons", "Buttons"},
};

}  // namespace

const CategoryRow& JoysticksCategory() {
    static const CollectionKind<collectors::Joysticks> kKind(JoysticksFields);
    static const CategoryRow kRow{
        .category = kJoysticks,
        .page = {.designTabText = "Joysticks",
                 .dutchTabText = L"Joysticks",
                 .frameHeightTwips = 1905,
                 .multiDevice = true,
                 .rows = kRows},
        .kind = kKind,
        .fieldKeys = kKeys,
    };
    return kRow;
}

}  // namespace app
