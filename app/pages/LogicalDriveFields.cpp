#include "app/pages/LogicalDriveFields.h"

namespace app {

namespace {

using collectors::LogicalDriveItem;
using format::FormatEx;
using namespace field;

FieldValue Bytes(std::int64_t bytes, const FormatEx& f) {
    return Text(bytes > 0, f.FormatMemory(bytes, FormatEx::kBytes));
}

constexpr Field<LogicalDriveItem> kFields[] = {
    {"LabelLogicaldrivesLetter", FieldKind::kText,
     [](const LogicalDriveItem& d, const FormatEx&) { return NonEmpty(d.Letter()); }},
    {"LabelLogicaldrivesType", FieldKind::kList,
     [](const LogicalDriveItem& d, const FormatEx&) {
         return List(d.DriveType() >= 0 && d.DriveType() <= 7, d.DriveType());
     }},
    {"LabelLogicaldrivesFilesystem", FieldKind::kText,
     [](const LogicalDriveItem& d, const FormatEx&) { return NonEmpty(d.FileSystem()); }},
    // The label may be empty; it counts as read when the file system was.
    {"LabelLogicaldrivesName", FieldKind::kText,
     [](const LogicalDriveItem& d, const FormatEx&) { return Text(!d.FileSystem().empty(), d.Name()); }},
    {"LabelLogicaldrivesSerialnumber", FieldKind::kText,
     [](const LogicalDriveItem& d, const FormatEx&) { return NonEmpty(d.SerialNumber()); }},
    {"LabelLogicaldrivesCapacity", FieldKind::kText,
     [](const LogicalDriveItem& d, const FormatEx& f) { return Bytes(d.Capacity(), f); }},
    {"LabelLogicaldrivesFreespace", FieldKind::kText,
     [](const LogicalDriveItem& d, const FormatEx& f) { return Bytes(d.FreeSpace(), f); }},
};

}  // namespace

std::span<const Field<LogicalDriveItem>> LogicalDriveFields() { return kFields; }

}  // namespace app
