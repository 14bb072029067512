#include "app/pages/HardDrivesCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/HardDrives.h"

namespace app {

namespace {

using collectors::HardDriveItem;
using format::FormatEx;
using namespace field;

FieldValue Positive(long long value) { return Integer(value > 0, value); }

constexpr FieldDeclaration kFields[] = {
    IndexRow("LabelIndex(9)", 1),
    {.label = "LabelHarddrivesName", .designCaption = "Name:", .dutchCaption = L"Naam:", .row = 2,
     .value = ValueFrom<[](const HardDriveItem& d, const FormatEx&) { return NonEmpty(d.Name()); }>,
     .json = {"Name", JsonType::kText}, .identity = IdentityRole::kModel},
    {.label = "LabelHarddrivesRevision", .designCaption = "Revision:", .dutchCaption = L"Revisie:", .row = 3,
     .value = ValueFrom<[](const HardDriveItem& d, const FormatEx&) { return NonEmpty(d.Revision()); }>,
     .json = {"Revision", JsonType::kText}},
    {.label = "LabelHarddrivesSerialnumber", .designCaption = "Serial Number:",
     .dutchCaption = L"Serienummer:", .row = 4,
     .value = ValueFrom<[](const HardDriveItem& d, const FormatEx&) { return NonEmpty(d.SerialNumber()); }>,
     .json = {"SerialNumber", JsonType::kText}, .identity = IdentityRole::kSerial},
    {.label = "LabelHarddrivesController", .designCaption = "Controller:", .dutchCaption = L"Controller:", .row = 5,
     .value = ValueFrom<[](const HardDriveItem& d, const FormatEx&) {
         return List(d.Controller() >= 0 && d.Controller() <= 3, d.Controller());
     }>,
     .dutchList = L"Primaire Master;Primaire Slave;Secundaire Master;Secundaire Slave",
     .json = {"Controller", JsonType::kListValue, "0-3: primary/secondary master/slave"}, .identity = IdentityRole::kPlace},
    {.label = "LabelHarddrivesCapacity", .designCaption = "Capacity:", .dutchCaption = L"Capaciteit:", .row = 6,
     .value = ValueFrom<[](const HardDriveItem& d, const FormatEx& f) {
         return Number(d.Capacity() > 0, d.Capacity(), f.FormatMemory(d.Capacity(), FormatEx::kBytes));
     }>,
     .json = {"Capacity", JsonType::kBytes, "bytes"}},
    {.label = "LabelHarddrivesBytespersector", .designCaption = "Bytes/Sector:",
     .dutchCaption = L"Bytes/Sector:", .row = 7,
     .value = ValueFrom<[](const HardDriveItem& d, const FormatEx&) { return Positive(d.BytesPerSector()); }>,
     .json = {"BytesPerSector", JsonType::kInteger}},
    {.label = "LabelHarddrivesHeads", .designCaption = "Heads:", .dutchCaption = L"Koppen:", .row = 8,
     .value = ValueFrom<[](const HardDriveItem& d, const FormatEx&) { return Positive(d.Heads()); }>,
     .json = {"Heads", JsonType::kInteger}},
    {.label = "LabelHarddrivesCylinders", .designCaption = "Cylinders:", .dutchCaption = L"Cylinders:", .row = 9,
     .value = ValueFrom<[](const HardDriveItem& d, const FormatEx&) { return Positive(d.Cylinders()); }>,
     .json = {"Cylinders", JsonType::kInteger}},
    {.label = "LabelHarddrivesTracks", .designCaption = "Tracks:", .dutchCaption = L"Sporen:", .row = 10,
     .value = ValueFrom<[](const HardDriveItem& d, const FormatEx&) { return Positive(d.Tracks()); }>,
     .json = {"Tracks", JsonType::kInteger}},
    {.label = "LabelHarddrivesSectors", .designCaption = "Sectors:", .dutchCaption = L"Sectoren:", .row = 11,
     .value = ValueFrom<[](const HardDriveItem& d, const FormatEx&) { return Positive(d.Sectors()); }>,
     .json = {"Sectors", JsonType::kInteger}},
};

}  // namespace

const CategoryRow& HardDrivesCategory() {
    static const CollectionKind<collectors::HardDrives> kKind(kFields);
    static const CategoryRow kRow{
        .category = kHardDrives,
        .page = {.designTabText = "Hard Drives",
                 .dutchTabText = L"Harde Stations",
                 .frameHeightTwips = 4425,
                 .multiDevice = true,
                 .rows = kFields},
        .kind = kKind,
    };
    return kRow;
}

}  // namespace app
