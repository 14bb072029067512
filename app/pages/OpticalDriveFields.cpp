#include "app/pages/OpticalDriveFields.h"

namespace app {

namespace {

using collectors::OpticalDriveItem;
using format::FormatEx;
using namespace field;

FieldValue Speed(std::int16_t factor, std::wstring_view fallback) {
    return Text(factor > 0, Decimal(factor) + L"x", fallback);
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

}  // namespace

std::span<const Field<OpticalDriveItem>> OpticalDriveFields() { return kFields; }

}  // namespace app
