#include "app/pages/DisplayCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Display.h"

namespace app {

namespace {

using C = RowColumn;

constexpr PageRow kRows[] = {
    {"LabelDisplayName", "Name:", L"Naam:", 1},
    {"LabelDisplayMonitor", "Monitor:", L"Monitor:", 2},
    {"LabelIndex(2)", "Index:", L"Index:", 3, C::kFull, true},
    {"LabelDisplayResolution", "Resolution:", L"Resolutie:", 4},
    {"LabelDisplayColors", "Colors:", L"Kleuren:", 5},
    {"LabelDisplayRefreshfrequency", "Refresh Frequency:", L"Vernieuwingsfrequentie:", 6},
    {"LabelDisplaySelected", "Selected:", L"Geselecteerd:", 7},
};

constexpr ValueLabelList kLists[] = {
    {"LabelDisplaySelectedvalue", L"Nee;Ja"},
};

using collectors::Display;
using collectors::DisplayItem;
using format::FormatEx;

constexpr Field<Display> kAdapterFields[] = {
    {"LabelDisplayName", FieldKind::kText, [](const Display& d, const FormatEx&) { return field::NonEmpty(d.Name()); }},
    {"LabelDisplayMonitor", FieldKind::kText,
     [](const Display& d, const FormatEx&) { return field::NonEmpty(d.Monitor()); }},
};

constexpr Field<DisplayItem> kModeFields[] = {
    {"LabelDisplayResolution", FieldKind::kText,
     [](const DisplayItem& m, const FormatEx&) {
         auto value = field::Number(m.ScreenWidth() > 0 && m.ScreenHeight() > 0, m.ScreenWidth(),
                                    field::Decimal(m.ScreenWidth()) + L"x" + field::Decimal(m.ScreenHeight()));
         value.secondNumber = m.ScreenHeight();
         return value;
     }},
    {"LabelDisplayColors", FieldKind::kText,
     [](const DisplayItem& m, const FormatEx&) {
         return field::Number(m.ColorBits() != 0, m.ColorBits(), field::Decimal(m.ColorBits()) + L" bit");
     }},
    {"LabelDisplayRefreshfrequency", FieldKind::kText,
     [](const DisplayItem& m, const FormatEx&) {
         return field::Number(m.RefreshFrequency() != 0, m.RefreshFrequency(),
                              field::Decimal(m.RefreshFrequency()) + L" Hz", kNotSupported);
     }},
    {"LabelDisplaySelected", FieldKind::kList,
     [](const DisplayItem& m, const FormatEx&) { return field::BooleanList(m.Selected()); }},
};

std::span<const Field<Display>> DisplayAdapterFields() { return kAdapterFields; }
std::span<const Field<DisplayItem>> DisplayModeFields() { return kModeFields; }
// The mode in use is shown first; -1 when no mode is.
int PreferredDisplayMode(const Display& display) { return display.SelectedIndex(); }

constexpr FieldKey kKeys[] = {
    {"LabelDisplayName", "Name"},
    {"LabelDisplayMonitor", "Monitor"},
    {"LabelIndex(2)", "Index"},
    {"LabelDisplayResolution", "ScreenWidth", "ScreenHeight"},
    {"LabelDisplayColors", "ColorBits"},
    {"LabelDisplayRefreshfrequency", "RefreshFrequency"},
    {"LabelDisplaySelected", "Selected"},
};

}  // namespace

const CategoryRow& DisplayCategory() {
    static const CollectionKind<collectors::Display> kKind(DisplayModeFields, DisplayAdapterFields,
                                                           PreferredDisplayMode);
    static const CategoryRow kRow{
        .category = kDisplay,
        .page = {.designTabText = "Display",
                 .dutchTabText = L"Weergave",
                 .frameHeightTwips = 2985,
                 .multiDevice = true,
                 .rows = kRows,
                 .lists = kLists},
        .kind = kKind,
        .fieldKeys = kKeys,
    };
    return kRow;
}

}  // namespace app
