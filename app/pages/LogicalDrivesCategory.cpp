#include "app/pages/LogicalDrivesCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/LogicalDrives.h"

namespace app {

namespace {

using C = RowColumn;

constexpr PageRow kRows[] = {
    {"LabelIndex(11)", "Index:", L"Index:", 1, C::kFull, true},
    {"LabelLogicaldrivesLetter", "Letter:", L"Letter:", 2},
    {"LabelLogicaldrivesType", "Type:", L"Type:", 3},
    {"LabelLogicaldrivesFilesystem", "File System:", L"Bestandssysteem:", 4},
    {"LabelLogicaldrivesName", "Name:", L"Naam:", 5},
    {"LabelLogicaldrivesSerialnumber", "Serial Number:", L"Serienummer:", 6},
    {"LabelLogicaldrivesCapacity", "Capacity:", L"Capaciteit:", 7},
    {"LabelLogicaldrivesFreespace", "Free Space:", L"Vrije Ruimte:", 8},
};

constexpr ValueLabelList kLists[] = {
    {"LabelLogicaldrivesTypevalue", L"Onbekend;Geen hoofdmap;Verwisselbaar;Vast;Netwerk;CD-ROM;RAM Schijf;DVD"},
};

using collectors::LogicalDriveItem;
using format::FormatEx;
using namespace field;

FieldValue Bytes(std::int64_t bytes, const FormatEx& f) {
    return Number(bytes > 0, bytes, f.FormatMemory(bytes, FormatEx::kBytes));
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

constexpr FieldKey kKeys[] = {
    {"LabelIndex(11)", "Index"},
    {"LabelLogicaldrivesLetter", "Letter"},
    {"LabelLogicaldrivesType", "DriveType"},
    {"LabelLogicaldrivesFilesystem", "FileSystem"},
    {"LabelLogicaldrivesName", "Name"},
    {"LabelLogicaldrivesSerialnumber", "SerialNumber"},
    {"LabelLogicaldrivesCapacity", "Capacity"},
    {"LabelLogicaldrivesFreespace", "FreeSpace"},
};

}  // namespace

std::span<const Field<LogicalDriveItem>> LogicalDriveFields() { return kFields; }

const CategoryRow& LogicalDrivesCategory() {
    static const CollectionKind<collectors::LogicalDrives> kKind(LogicalDriveFields);
    static const CategoryRow kRow{
        .category = kLogicalDrives,
        .page = {.designTabText = "Logical Drives",
                 .dutchTabText = L"Logische Stations",
                 .frameHeightTwips = 3345,
                 .multiDevice = true,
                 .rows = kRows,
                 .lists = kLists},
        .kind = kKind,
        .fieldKeys = kKeys,
    };
    return kRow;
}

}  // namespace app
