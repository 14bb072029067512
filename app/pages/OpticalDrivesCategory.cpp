#include "app/pages/OpticalDrivesCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/OpticalDrives.h"

namespace app {

namespace {

using collectors::OpticalDriveItem;
using format::FormatEx;
using namespace field;

FieldValue Speed(std::int16_t factor) { return Number(factor > 0, factor, Decimal(factor) + L"x"); }

constexpr FieldDeclaration kFields[] = {
    IndexRow("LabelIndex(10)", 1),
    {.label = "LabelOpticaldrivesName", .designCaption = "Name:", .dutchCaption = L"Naam:", .row = 2,
     .value = ValueFrom<[](const OpticalDriveItem& d, const FormatEx&) { return NonEmpty(d.Name()); }>,
     .json = {"Name", JsonType::kText}, .identity = IdentityRole::kModel},
    {.label = "LabelOpticaldrivesRevision", .designCaption = "Revision:", .dutchCaption = L"Revisie:", .row = 3,
     .value = ValueFrom<[](const OpticalDriveItem& d, const FormatEx&) { return NonEmpty(d.Revision()); }>,
     .json = {"Revision", JsonType::kText}},
    {.label = "LabelOpticaldrivesManufacturer", .designCaption = "Manufacturer:",
     .dutchCaption = L"Fabrikant:", .row = 4,
     .value = ValueFrom<[](const OpticalDriveItem& d, const FormatEx&) { return NonEmpty(d.Manufacturer()); }>,
     .json = {"Manufacturer", JsonType::kText}, .identity = IdentityRole::kModel},
    {.label = "LabelOpticaldrivesReadspeed", .designCaption = "Read Speed:", .dutchCaption = L"Leessnelheid:", .row = 5,
     .value = ValueFrom<[](const OpticalDriveItem& d, const FormatEx&) { return Speed(d.ReadMaximumSpeed()); }>,
     .json = {"ReadMaximumSpeed", JsonType::kInteger, "factor (48 for 48x)"}},
    // A drive that cannot write: "not supported" on the page, "unknown" in the report.
    {.label = "LabelOpticaldrivesWritespeed", .designCaption = "Write Speed:",
     .dutchCaption = L"Schrijfsnelheid:", .row = 6,
     .value = ValueFrom<[](const OpticalDriveItem& d, const FormatEx&) { return Speed(d.WriteMaximumSpeed()); }>,
     .fallback = kNotSupported, .reportFallback = kUnknown,
     .json = {"WriteMaximumSpeed", JsonType::kInteger, "factor; null for a drive that cannot write"}},
};

}  // namespace

const CategoryRow& OpticalDrivesCategory() {
    static const CollectionKind<collectors::OpticalDrives> kKind(kFields);
    static const CategoryRow kRow{
        .category = kOpticalDrives,
        .page = {.designTabText = "Optical Drives",
                 .dutchTabText = L"Optische Stations",
                 .frameHeightTwips = 2625,
                 .multiDevice = true,
                 .rows = kFields},
        .kind = kKind,
    };
    return kRow;
}

}  // namespace app
