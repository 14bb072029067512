#include "app/pages/LogicalDrivesCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/LogicalDrives.h"

namespace app {

namespace {

using collectors::LogicalDriveItem;
using format::FormatEx;
using namespace field;

FieldValue Bytes(std::int64_t bytes, const FormatEx& f) {
    return Number(bytes > 0, bytes, f.FormatMemory(bytes, FormatEx::kBytes));
}

constexpr FieldDeclaration kFields[] = {
    IndexRow("LabelIndex(11)", 1),
    {.label = "LabelLogicaldrivesLetter", .designCaption = "Letter:", .dutchCaption = L"Letter:", .row = 2,
     .value = ValueFrom<[](const LogicalDriveItem& d, const FormatEx&) { return NonEmpty(d.Letter()); }>,
     .json = {"Letter", JsonType::kText, "drive letter or mount point"}, .identity = IdentityRole::kPlace},
    {.label = "LabelLogicaldrivesType", .designCaption = "Type:", .dutchCaption = L"Type:", .row = 3,
     .value = ValueFrom<[](const LogicalDriveItem& d, const FormatEx&) {
         return List(d.DriveType() >= 0 && d.DriveType() <= 7, d.DriveType());
     }>,
     .dutchList = L"Onbekend;Geen hoofdmap;Verwisselbaar;Vast;Netwerk;CD-ROM;RAM Schijf;DVD",
     .json = {"DriveType", JsonType::kListValue, "0-7"}},
    {.label = "LabelLogicaldrivesFilesystem", .designCaption = "File System:",
     .dutchCaption = L"Bestandssysteem:", .row = 4,
     .value = ValueFrom<[](const LogicalDriveItem& d, const FormatEx&) { return NonEmpty(d.FileSystem()); }>,
     .json = {"FileSystem", JsonType::kText}, .identity = IdentityRole::kModel},
    // The label may be empty; it counts as read when the file system was.
    {.label = "LabelLogicaldrivesName", .designCaption = "Name:", .dutchCaption = L"Naam:", .row = 5,
     .value = ValueFrom<[](const LogicalDriveItem& d, const FormatEx&) {
         return Text(!d.FileSystem().empty(), d.Name());
     }>,
     .json = {"Name", JsonType::kText, "volume label; may be empty"}, .identity = IdentityRole::kModel},
    {.label = "LabelLogicaldrivesSerialnumber", .designCaption = "Serial Number:",
     .dutchCaption = L"Serienummer:", .row = 6,
     .value = ValueFrom<[](const LogicalDriveItem& d, const FormatEx&) { return NonEmpty(d.SerialNumber()); }>,
     .json = {"SerialNumber", JsonType::kText}, .identity = IdentityRole::kSerial},
    {.label = "LabelLogicaldrivesCapacity", .designCaption = "Capacity:", .dutchCaption = L"Capaciteit:", .row = 7,
     .value = ValueFrom<[](const LogicalDriveItem& d, const FormatEx& f) { return Bytes(d.Capacity(), f); }>,
     .json = {"Capacity", JsonType::kBytes, "bytes"}},
    {.label = "LabelLogicaldrivesFreespace", .designCaption = "Free Space:", .dutchCaption = L"Vrije Ruimte:", .row = 8,
     .value = ValueFrom<[](const LogicalDriveItem& d, const FormatEx& f) { return Bytes(d.FreeSpace(), f); }>,
     .json = {"FreeSpace", JsonType::kBytes, "bytes"}, .live = true},
};

}  // namespace

const CategoryRow& LogicalDrivesCategory() {
    static const CollectionKind<collectors::LogicalDrives> kKind(kFields);
    static const CategoryRow kRow{
        .category = kLogicalDrives,
        .page = {.designTabText = "Logical Drives",
                 .dutchTabText = L"Logische Stations",
                 .frameHeightTwips = 3345,
                 .multiDevice = true,
                 .rows = kFields},
        .kind = kKind,
    };
    return kRow;
}

}  // namespace app
