#include "app/pages/HardDriveFields.h"

namespace app {

namespace {

using collectors::HardDriveItem;
using format::FormatEx;
using namespace field;

FieldValue Positive(long long value) { return Text(value > 0, Decimal(value)); }

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
         return Text(d.Capacity() > 0, f.FormatMemory(d.Capacity(), FormatEx::kBytes));
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

}  // namespace

std::span<const Field<HardDriveItem>> HardDriveFields() { return kFields; }

}  // namespace app
