#include "app/pages/DisplayFields.h"

namespace app {

namespace {

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
         return field::Text(m.ScreenWidth() > 0 && m.ScreenHeight() > 0,
                            field::Decimal(m.ScreenWidth()) + L"x" + field::Decimal(m.ScreenHeight()));
     }},
    {"LabelDisplayColors", FieldKind::kText,
     [](const DisplayItem& m, const FormatEx&) {
         return field::Text(m.ColorBits() != 0, field::Decimal(m.ColorBits()) + L" bit");
     }},
    {"LabelDisplayRefreshfrequency", FieldKind::kText,
     [](const DisplayItem& m, const FormatEx&) {
         return field::Text(m.RefreshFrequency() != 0, field::Decimal(m.RefreshFrequency()) + L" Hz", kNotSupported);
     }},
    {"LabelDisplaySelected", FieldKind::kList,
     [](const DisplayItem& m, const FormatEx&) { return field::BooleanList(m.Selected()); }},
};

}  // namespace

std::span<const Field<Display>> DisplayAdapterFields() { return kAdapterFields; }
std::span<const Field<DisplayItem>> DisplayModeFields() { return kModeFields; }
int PreferredDisplayMode(const Display& display) { return display.SelectedIndex(); }

}  // namespace app
