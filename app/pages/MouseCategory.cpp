#include "app/pages/MouseCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Mouse.h"

namespace app {

namespace {

constexpr PageRow kRows[] = {
    {"LabelMouseButtons", "Buttons:", L"Knoppen:", 1},
    {"LabelMouseButtonconfiguration", "Button Configuration:", L"Knopconfiguratie:", 2},
    {"LabelMouseDoubleclickspeed", "Double-click Speed:", L"Dubbelkliksnelheid:", 3},
    {"LabelMouseWheel", "Wheel:", L"Wieltje:", 4},
};

constexpr ValueLabelList kLists[] = {
    {"LabelMouseButtonconfigurationvalue", L";Rechtshandig;Linkshandig"},
    {"LabelMouseWheelvalue", L"Nee;Ja"},
};

using collectors::Mouse;
using format::FormatEx;

using namespace field;

constexpr Field<Mouse> kFields[] = {
    {"LabelMouseButtons", FieldKind::kText,
     [](const Mouse& m, const FormatEx&) { return Integer(m.Buttons() != 0, m.Buttons(), kNotPresent); }},
    {"LabelMouseButtonconfiguration", FieldKind::kList,
     [](const Mouse& m, const FormatEx&) {
         const auto c = m.ButtonConfiguration();
         return List(c == 1 || c == 2, c, kNotPresent);
     }},
    {"LabelMouseDoubleclickspeed", FieldKind::kText,
     [](const Mouse& m, const FormatEx&) {
         return Number(m.DoubleClickSpeed() > 0, m.DoubleClickSpeed(), Decimal(m.DoubleClickSpeed()) + L" ms", kNotPresent);
     }},
    {"LabelMouseWheel", FieldKind::kList, [](const Mouse& m, const FormatEx&) { return BooleanList(m.Wheel()); }},
};

std::span<const Field<Mouse>> MouseFields() { return kFields; }

constexpr FieldKey kKeys[] = {
    {"LabelMouseButtons", "Buttons"},
    {"LabelMouseButtonconfiguration", "ButtonConfiguration"},
    {"LabelMouseDoubleclickspeed", "DoubleClickSpeed"},
    {"LabelMouseWheel", "Wheel"},
};

}  // namespace

const CategoryRow& MouseCategory() {
    static const SingleObjectKind<collectors::Mouse> kKind(MouseFields);
    static const CategoryRow kRow{
        .category = kMouse,
        .page = {.designTabText = "Mouse",
                 .dutchTabText = L"Muis",
                 .frameHeightTwips = 1905,
                 .multiDevice = false,
                 .rows = kRows,
                 .lists = kLists},
        .kind = kKind,
        .fieldKeys = kKeys,
    };
    return kRow;
}

}  // namespace app
