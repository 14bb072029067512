#include "app/pages/DisplayCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Display.h"

namespace app {

namespace {

using collectors::Display;
using collectors::DisplayItem;
using format::FormatEx;

constexpr FieldDeclaration kFields[] = {
    {.label = "LabelDisplayName", .designCaption = "Name:", .dutchCaption = L"Naam:", .row = 1,
     .value = ValueFrom<[](const Display& d, const FormatEx&) { return field::NonEmpty(d.Name()); }>,
     .json = {"Name", JsonType::kText, "display adapter"}},
    {.label = "LabelDisplayMonitor", .designCaption = "Monitor:", .dutchCaption = L"Monitor:", .row = 2,
     .value = ValueFrom<[](const Display& d, const FormatEx&) { return field::NonEmpty(d.Monitor()); }>,
     .json = {"Monitor", JsonType::kText}},
    IndexRow("LabelIndex(2)", 3),
    {.label = "LabelDisplayResolution", .designCaption = "Resolution:", .dutchCaption = L"Resolutie:", .row = 4,
     .value = ValueFrom<[](const DisplayItem& m, const FormatEx&) {
         auto value = field::Number(m.ScreenWidth() > 0 && m.ScreenHeight() > 0, m.ScreenWidth(),
                                    field::Decimal(m.ScreenWidth()) + L"x" + field::Decimal(m.ScreenHeight()));
         value.secondNumber = m.ScreenHeight();
         return value;
     }>,
     .json = {"ScreenWidth", JsonType::kInteger, "pixels", "ScreenHeight"}, .identity = IdentityRole::kModel},
    {.label = "LabelDisplayColors", .designCaption = "Colors:", .dutchCaption = L"Kleuren:", .row = 5,
     .value = ValueFrom<[](const DisplayItem& m, const FormatEx&) {
         return field::Number(m.ColorBits() != 0, m.ColorBits(), field::Decimal(m.ColorBits()) + L" bit");
     }>,
     .json = {"ColorBits", JsonType::kInteger, "bits per pixel"}, .identity = IdentityRole::kModel},
    {.label = "LabelDisplayRefreshfrequency", .designCaption = "Refresh Frequency:",
     .dutchCaption = L"Vernieuwingsfrequentie:", .row = 6,
     .value = ValueFrom<[](const DisplayItem& m, const FormatEx&) {
         return field::Number(m.RefreshFrequency() != 0, m.RefreshFrequency(),
                              field::Decimal(m.RefreshFrequency()) + L" Hz");
     }>,
     .fallback = kNotSupported, .json = {"RefreshFrequency", JsonType::kInteger, "Hz"}, .identity = IdentityRole::kModel},
    {.label = "LabelDisplaySelected", .designCaption = "Selected:", .dutchCaption = L"Geselecteerd:", .row = 7,
     .value = ValueFrom<[](const DisplayItem& m, const FormatEx&) { return field::BooleanList(m.Selected()); }>,
     .dutchList = L"Nee;Ja", .json = {"Selected", JsonType::kListValue, "the mode in use: Nee;Ja"}},
};

// The mode in use is shown first; -1 when no mode is.
int PreferredDisplayMode(const Display& display) { return display.SelectedIndex(); }

}  // namespace

const CategoryRow& DisplayCategory() {
    static const CollectionKind<collectors::Display> kKind(kFields, PreferredDisplayMode);
    static const CategoryRow kRow{
        .category = kDisplay,
        .page = {.designTabText = "Display",
                 .dutchTabText = L"Weergave",
                 .frameHeightTwips = 2985,
                 .multiDevice = true,
                 .rows = kFields},
        .kind = kKind,
    };
    return kRow;
}

}  // namespace app
