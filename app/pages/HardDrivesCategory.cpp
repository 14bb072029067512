#include "app/pages/HardDrivesCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/HardDrives.h"

namespace app {

namespace {

using C = RowColumn;

constexpr PageRow kRows[] = {
    {"LabelIndex(9)", "Index:", L"Index:", 1, C::kFull, true},
    {"LabelHarddrivesName", "Name:", L"Naam:", 2},
    {"LabelHarddrivesRevision", "Revision:", L"Revisie:", 3},
    {"LabelHarddrivesSerialnumber", "Serial Number:", L"Serienummer:", 4},
    {"LabelHarddrivesController", "Controller:", L"Controller:", 5},
    {"LabelHarddrivesCapacity", "Capacity:", L"Capaciteit:", 6},
    {"LabelHarddrivesBytespersector", "Bytes/Sector:", L"Bytes/Sector:", 7},
    {"LabelHarddrivesHeads", "Heads:", L"Koppen:", 8},
    {"LabelHarddrivesCylinders", "Cylinders:", L"Cylinders:", 9},
    {"LabelHarddrivesTracks", "Tracks:", L"Sporen:", 10},
    {"LabelHarddrivesSectors", "Sectors:", L"Sectoren:", 11},
};

constexpr ValueLabelList kLists[] = {
    {"LabelHarddrivesControllervalue", L"Primaire Master;Primaire Slave;Secundaire Master;Secundaire Slave"},
};

using collectors::HardDriveItem;
using format::FormatEx;
using namespace field;

FieldValue Positive(long long value) { return Integer(value > 0, value); }

constexpr Field<HardDriveItem> kFields[] = {
    {"LabelHarddrivesName", FieldKind::kText, [](const HardDriveItem& d, const FormatEx&) { return NonEmpty(d.Name()); }},
    {"LabelHarddrivesRevision", FieldKind::kText,
     [](const HardDriveItem& d, const FormatEx&) { return NonEmpty(d.Revision()); }},
    {"LabelHarddrivesSerialnumber", FieldKind::kText,
     [](const HardDriveItem& d, const FormatEx&) { return NonEmpty(d.SerialNumber()); }},
    {"LabelHarddrivesController", FieldKind::kList,
     [](const HardDriveItem& d, const FormatEx&) {
         return List(d.Controller() >= 0 && d.Controller() <= 3, d.Controller());
     }},
    {"LabelHarddrivesCapacity", FieldKind::kText,
     [](const HardDriveItem& d, const FormatEx& f) {
         return Number(d.Capacity() > 0, d.Capacity(), f.FormatMemory(d.Capacity(), FormatEx::kBytes));
     }},
    {"LabelHarddrivesBytespersector", FieldKind::kText,
     [](const HardDriveItem& d, const FormatEx&) { return Positive(d.BytesPerSector()); }},
    {"LabelHarddrivesHeads", FieldKind::kText, [](const HardDriveItem& d, const FormatEx&) { return Positive(d.Heads()); }},
    {"LabelHarddrivesCylinders", FieldKind::kText,
     [](const HardDriveItem& d, const FormatEx&) { return Positive(d.Cylinders()); }},
    {"LabelHarddrivesTracks", FieldKind::kText,
     [](const HardDriveItem& d, const FormatEx&) { return Positive(d.Tracks()); }},
    {"LabelHarddrivesSectors", FieldKind::kText,
     [](const HardDriveItem& d, const FormatEx&) { return Positive(d.Sectors()); }},
};

std::span<const Field<HardDriveItem>> HardDriveFields() { return kFields; }

constexpr FieldKey kKeys[] = {
    {"LabelIndex(9)", "Index"},
    {"LabelHarddrivesName", "Name"},
    {"LabelHarddrivesRevision", "Revision"},
    {"LabelHarddrivesSerialnumber", "SerialNumber"},
    {"LabelHarddrivesController", "Controller"},
    {"LabelHarddrivesCapacity", "Capacity"},
    {"LabelHarddrivesBytespersector", "BytesPerSector"},
    {"LabelHarddrivesHeads", "Heads"},
    {"LabelHarddrivesCylinders", "Cylinders"},
    {"LabelHarddrivesTracks", "Tracks"},
    {"LabelHarddrivesSectors", "Sectors"},
};

}  // namespace

const CategoryRow& HardDrivesCategory() {
    static const CollectionKind<collectors::HardDrives> kKind(HardDriveFields);
    static const CategoryRow kRow{
        .category = kHardDrives,
        .page = {.designTabText = "Hard Drives",
                 .dutchTabText = L"Harde Stations",
                 .frameHeightTwips = 4425,
                 .multiDevice = true,
                 .rows = kRows,
                 .lists = kLists},
        .kind = kKind,
        .fieldKeys = kKeys,
    };
    return kRow;
}

}  // namespace app
