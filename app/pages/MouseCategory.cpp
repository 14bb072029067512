#include "app/pages/MouseCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Mouse.h"

namespace app {

namespace {

using collectors::Mouse;
using format::FormatEx;

using namespace field;

constexpr FieldDeclaration kFields[] = {
    {.label = "LabelMouseButtons", .designCaption = "Buttons:", .dutchCaption = L"Knoppen:", .row = 1,
     .value = ValueFrom<[](const Mouse& m, const FormatEx&) { return Integer(m.Buttons() != 0, m.Buttons()); }>,
     .fallback = kNotPresent, .json = {"Buttons", JsonType::kInteger}},
    {.label = "LabelMouseButtonconfiguration", .designCaption = "Button Configuration:",
     .dutchCaption = L"Knopconfiguratie:", .row = 2,
     .value = ValueFrom<[](const Mouse& m, const FormatEx&) {
         const auto c = m.ButtonConfiguration();
         return List(c == 1 || c == 2, c);
     }>,
     .dutchList = L";Rechtshandig;Linkshandig", .fallback = kNotPresent,
     .json = {"ButtonConfiguration", JsonType::kListValue, "1 right-handed, 2 left-handed"}},
    {.label = "LabelMouseDoubleclickspeed", .designCaption = "Double-click Speed:",
     .dutchCaption = L"Dubbelkliksnelheid:", .row = 3,
     .value = ValueFrom<[](const Mouse& m, const FormatEx&) {
         return Number(m.DoubleClickSpeed() > 0, m.DoubleClickSpeed(), Decimal(m.DoubleClickSpeed()) + L" ms");
     }>,
     .fallback = kNotPresent, .json = {"DoubleClickSpeed", JsonType::kInteger, "milliseconds"}},
    {.label = "LabelMouseWheel", .designCaption = "Wheel:", .dutchCaption = L"Wieltje:", .row = 4,
     .value = ValueFrom<[](const Mouse& m, const FormatEx&) { return BooleanList(m.Wheel()); }>,
     .dutchList = L"Nee;Ja", .json = {"Wheel", JsonType::kListValue, "Nee;Ja"}},
};

}  // namespace

const CategoryRow& MouseCategory() {
    static const SingleObjectKind<collectors::Mouse> kKind(kFields);
    static const CategoryRow kRow{
        .category = kMouse,
        .page = {.designTabText = "Mouse",
                 .dutchTabText = L"Muis",
                 .frameHeightTwips = 1905,
                 .multiDevice = false,
                 .rows = kFields},
        .kind = kKind,
    };
    return kRow;
}

}  // namespace app
