#include "app/pages/OpticalDrivesCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/OpticalDrives.h"

namespace app {

namespace {

using C = RowColumn;

constexpr PageRow kRows[] = {
    {"LabelIndex(10)", "Index:", L"Index:", 1, C::kFull, true},
    {"LabelOpticaldrivesName", "Name:", L"Naam:", 2},
    {"LabelOpticaldrivesRevision", "Revision:", L"Revisie:", 3},
    {"LabelOpticaldrivesManufacturer", "Manufacturer:", L"Fabrikant:", 4},
    {"LabelOpticaldrivesReadspeed", "Read Speed:", L"Leessnelheid:", 5},
    {"LabelOpticaldrivesWritespeed", "Write Speed:", L"Schrijfsnelheid:", 6},
};

using collectors::OpticalDriveItem;
using format::FormatEx;
using namespace field;

FieldValue Speed(std::int16_t factor, std::wstring_view fallback) {
    return Number(factor > 0, factor, Decimal(factor) + L"x", fallback);
}

constexpr Field<OpticalDriveItem> kFields[] = {
    {"LabelOpticaldrivesName", FieldKind::kText,
     [](const OpticalDriveItem& d, const FormatEx&) { return NonEmpty(d.Name()); }},
    {"LabelOpticaldrivesRevision", FieldKind::kText,
     [](const OpticalDriveItem& d, const FormatEx&) { return NonEmpty(d.Revision()); }},
    {"LabelOpticaldrivesManufacturer", FieldKind::kText,
     [](const OpticalDriveItem& d, const FormatEx&) { return NonEmpty(d.Manufacturer()); }},
    {"LabelOpticaldrivesReadspeed", FieldKind::kText,
     [](const OpticalDriveItem& d, const FormatEx&) { return Speed(d.ReadMaximumSpeed(), kUnknown); }},
    // A drive that cannot write: "not supported" on the page, "unknown" in the report.
    {"LabelOpticaldrivesWritespeed", FieldKind::kText,
     [](const OpticalDriveItem& d, const FormatEx&) {
         auto value = Speed(d.WriteMaximumSpeed(), kNotSupported);
         value.reportFallback = kUnknown;
         return value;
     }},
};

constexpr FieldKey kKeys[] = {
    {"LabelIndex(10)", "Index"},
    {"LabelOpticaldrivesName", "Name"},
    {"LabelOpticaldrivesRevision", "Revision"},
    {"LabelOpticaldrivesManufacturer", "Manufacturer"},
    {"LabelOpticaldrivesReadspeed", "ReadMaximumSpeed"},
    {"LabelOpticaldrivesWritespeed", "WriteMaximumSpeed"},
};

}  // namespace

std::span<const Field<OpticalDriveItem>> OpticalDriveFields() { return kFields; }

const CategoryRow& OpticalDrivesCategory() {
    static const CollectionKind<collectors::OpticalDrives> kKind(OpticalDriveFields);
    static const CategoryRow kRow{
        .category = kOpticalDrives,
        .page = {.designTabText = "Optical Drives",
                 .dutchTabText = L"Optische Stations",
                 .frameHeightTwips = 2625,
                 .multiDevice = true,
                 .rows = kRows},
        .kind = kKind,
        .fieldKeys = kKeys,
    };
    return kRow;
}

}  // namespace app
