#include "app/pages/JoysticksCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Joysticks.h"

namespace app {

namespace {

using collectors::JoystickItem;
using format::FormatEx;

constexpr FieldDeclaration kFields[] = {
    IndexRow("LabelIndex(8)", 1),
    {.label = "LabelJoysticksName", .designCaption = "Name:", .dutchCaption = L"Naam:", .row = 2,
     .value = ValueFrom<[](const JoystickItem& j, const FormatEx&) { return field::NonEmpty(j.Name()); }>,
     .json = {"Name", JsonType::kText}, .identity = IdentityRole::kModel},
    {.label = "LabelJoysticksAxes", .designCaption = "Axes:", .dutchCaption = L"Assen:", .row = 3,
     .value = ValueFrom<[](const JoystickItem& j, const FormatEx&) { return field::Integer(j.Axes() != 0, j.Axes()); }>,
     .json = {"Axes", JsonType::kInteger}},
    {.label = "LabelJoysticksButtons", .designCaption = "Buttons:", .dutchCaption = L"Knoppen:", .row = 4,
     .value = ValueFrom<[](const JoystickItem& j, const FormatEx&) {
         return field::Integer(j.Buttons() != 0, j.Buttons());
     }>,
     .json = {"Buttons", JsonType::kInteger}},
};

}  // namespace

const CategoryRow& JoysticksCategory() {
    static const CollectionKind<collectors::Joysticks> kKind(kFields);
    static const CategoryRow kRow{
        .category = kJoysticks,
        .page = {.designTabText = "Joysticks",
                 .dutchTabText = L"Joysticks",
                 .frameHeightTwips = 1905,
                 .multiDevice = true,
                 .rows = kFields},
        .kind = kKind,
    };
    return kRow;
}

}  // namespace app
