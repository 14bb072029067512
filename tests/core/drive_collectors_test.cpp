// The three drive collectors on simulated drives.

#include <gtest/gtest.h>

#include "collectors/HardDrives.h"
#include "collectors/LogicalDrives.h"
#include "collectors/OpticalDrives.h"
#include "app/pages/Categories.h"
#include "sim_drives_support.h"
#include "sim_fixture.h"

namespace {

using collectors::HardDrives;
using collectors::LogicalDrives;
using collectors::OpticalDrives;
using testing_support::SimDrivesFrom;

// The simulated drives hand their texts over in Windows-1252.
constexpr base::CodePage kWindows1252 = base::CodePage::kWindows1252;

TEST(HardDrives, SwapPairs) {
    EXPECT_EQ(HardDrives::SwapPairs("BADC  "), "ABCD");
    EXPECT_EQ(HardDrives::SwapPairs("BADCE"), "ABCDE");  // an odd last character stays last
    EXPECT_EQ(HardDrives::SwapPairs(std::string(40, ' ')), "");
    EXPECT_EQ(HardDrives::SwapPairs(""), "");
    EXPECT_EQ(HardDrives::SwapPairs(std::string("A\0 B", 4)), std::string("\0AB", 3));  // NUL stays
}

TEST(HardDrives, PackedInDriveOrderWithIdentityAndGeometry) {
    auto drives = SimDrivesFrom(R"({"disks": {
      "0": {"identify": {"model": "Maxtor 6Y080P0", "firmware": "YAR41BW0", "serial": "Y2ABCDEF"},
            "geometry": {"cylinders": 16383, "tracks_per_cylinder": 16, "sectors_per_track": 63, "bytes_per_sector": 512}},
      "1": {"smart_device_map": 0, "identify": {"model": "no map"}},
      "2": {"identify": {"model": "No geometry"}},
      "3": {"opens": false},
      "4": {"identify": {"model": "never looked at"}} }})");
    HardDrives disks(*drives, kWindows1252);
    ASSERT_EQ(disks.Count(), 2);
    const auto* first = disks.Item(0);
    EXPECT_EQ(first->Name(), L"Maxtor 6Y080P0");
    EXPECT_EQ(first->Revision(), L"YAR41BW0");
    EXPECT_EQ(first->SerialNumber(), L"Y2ABCDEF");
    EXPECT_EQ(first->Controller(), 0);
    EXPECT_EQ(first->Tracks(), 262128);
    EXPECT_EQ(first->Sectors(), 16514064);
    EXPECT_EQ(first->Capacity(), 8455200768);
    EXPECT_EQ(first->Heads(), 16);
    EXPECT_EQ(first->BytesPerSector(), 512);
    const auto* second = disks.Item(1);
    EXPECT_EQ(second->Controller(), 2);
    EXPECT_EQ(second->Name(), L"No geometry");
    EXPECT_EQ(second->Capacity(), 0);
    EXPECT_EQ(second->Cylinders(), 0);
    EXPECT_EQ(disks.Item(2), nullptr);
    EXPECT_EQ(drives->OpenHandles(), 0);
}

TEST(HardDrives, DisksAboveOneTerabyteKeepTheirSectorCount) {
    // 4 TB: 486,401 cylinders of 255 × 63 sectors, 7,814,032,065 sectors.
    auto drives = SimDrivesFrom(R"({"disks": {"0": {"identify": {"model": "Big"},
      "geometry": {"cylinders": 486401, "tracks_per_cylinder": 255, "sectors_per_track": 63, "bytes_per_sector": 512}}}})");
    HardDrives disks(*drives, kWindows1252);
    ASSERT_EQ(disks.Count(), 1);
    EXPECT_EQ(disks.Item(0)->Sectors(), 7814032065);
    EXPECT_EQ(disks.Item(0)->Tracks(), 124032255);
    EXPECT_EQ(disks.Item(0)->Capacity(), 4000784417280);
    // Only a product beyond 64 bits is unknown; the other values stay.
    auto huge = SimDrivesFrom(R"({"disks": {"0": {"identify": {"model": "Huge"},
      "geometry": {"cylinders": 9223372036854775807, "tracks_per_cylinder": 2, "sectors_per_track": 1, "bytes_per_sector": 512}}}})");
    HardDrives hugeDisks(*huge, kWindows1252);
    EXPECT_EQ(hugeDisks.Item(0)->Cylinders(), 9223372036854775807);
    EXPECT_EQ(hugeDisks.Item(0)->Tracks(), 0);
    EXPECT_EQ(hugeDisks.Item(0)->Capacity(), 0);
    EXPECT_EQ(hugeDisks.Item(0)->BytesPerSector(), 512);
    // A driver's negative cylinder count (the field is signed) is no count at all.
    auto negative = SimDrivesFrom(R"({"disks": {"0": {"identify": {"model": "Odd"},
      "geometry": {"cylinders": -1, "tracks_per_cylinder": 255, "sectors_per_track": 63, "bytes_per_sector": 512}}}})");
    HardDrives negativeDisks(*negative, kWindows1252);
    EXPECT_EQ(negativeDisks.Item(0)->Cylinders(), 0);
    EXPECT_EQ(negativeDisks.Item(0)->Tracks(), 0);
    EXPECT_EQ(negativeDisks.Item(0)->Sectors(), 0);
    EXPECT_EQ(negativeDisks.Item(0)->Capacity(), 0);
    EXPECT_EQ(negativeDisks.Item(0)->Heads(), 255);
}

TEST(HardDrives, NoDiskAnswers) {
    auto drives = SimDrivesFrom(R"({"disks": {"0": {"identify": null}}})");
    HardDrives disks(*drives, kWindows1252);
    EXPECT_EQ(disks.Count(), 0);
    EXPECT_EQ(disks.Item(0), nullptr);
}

constexpr const char* kOpticalMachine = R"({
  "logical_drives": [ {"root": "A:\\", "type": 5}, {"root": "C:\\", "type": 3}, {"root": "D:\\", "type": 5},
                      {"root": "E:\\", "type": 5}, {"root": "F:\\", "type": 5} ],
  "optical_drives": {
    "A:": {"scsi_address": {}, "commands": {"12 00 00 00 24 00": {"data": "05"}}},
    "D:": {"scsi_address": {"port": 1},
      "commands": {
        "12 00 00 00 24 00": {"data": "05 80 00 32 5b 00 00 00 48 4c 2d 44 20 20 20 20 44 56 44 2b 2d 52 57 20 47 48 32 32 4e 53 35 30 31 2e 30 30"},
        "5a 00 2a 00 00 00 00 00 1e 00": {"data": "00 1c 00 00 00 00 00 00 2a 14 3f 37 f1 77 29 23 8a 70 01 00 02 00 05 84 00 00 21 13 00 af 00"} } },
    "E:": {"scsi_address": {"port": 2},
      "commands": { "12 00 00 00 24 00": {"data": "05 80 00 32 5b 00 00 00 4d 41 54 53 48 49 54 41 43 52 2d 35 38 35 20 20 20 20 20 20 20 20 20 20 5a 53 31 31"},
                    "5a 00 2a 00 00 00 00 00 1e 00": {"scsi_status": 2} } },
    "F:": {"scsi_address": {"port": 3}} } })";

TEST(OpticalDrives, InquiryAndSpeedsPerDrive) {
    auto drives = SimDrivesFrom(kOpticalMachine);
    OpticalDrives optical(*drives, kWindows1252);
    ASSERT_EQ(optical.Count(), 2);  // A: is never tried, C: is no CD-ROM, F: refuses INQUIRY
    const auto* dvd = optical.Item(0);
    EXPECT_EQ(dvd->Letter(), L"D:");
    EXPECT_EQ(dvd->Interface(), L"SPTI");
    EXPECT_EQ(dvd->Manufacturer(), L"HL-D    ");  // trailing blanks kept
    EXPECT_EQ(dvd->Name(), L"DVD+-RW GH22NS50");
    EXPECT_EQ(dvd->Revision(), L"1.00");
    EXPECT_EQ(dvd->ReadMaximumSpeed(), 201);    // 0x8A70 = 35440 kB/s
    EXPECT_EQ(dvd->ReadCurrentSpeed(), 8);      // 1412 kB/s
    EXPECT_EQ(dvd->WriteMaximumSpeed(), 48);    // 8467 kB/s
    EXPECT_EQ(dvd->WriteCurrentSpeed(), 0);     // 175 kB/s
    const auto* cd = optical.Item(1);
    EXPECT_EQ(cd->Manufacturer(), L"MATSHITA");
    EXPECT_EQ(cd->Name(), L"CR-585          ");
    EXPECT_EQ(cd->ReadMaximumSpeed(), 0);  // MODE SENSE ended in CHECK CONDITION
    EXPECT_EQ(cd->WriteMaximumSpeed(), 0);
    EXPECT_EQ(drives->OpenHandles(), 0);
}

TEST(OpticalDrives, TriesAtMostTwentyFourDrivesWithoutFloppies) {
    std::string strings = "A:\\";
    strings += '\0';
    strings += "b:\\";
    strings += '\0';
    for (int i = 0; i < 30; ++i) {
        strings += "/mnt/" + std::to_string(i);
        strings += '\0';
    }
    strings += "/tail-without-terminator";
    const auto tried = OpticalDrives::DrivesToTry(strings);
    ASSERT_EQ(tried.size(), 24u);
    EXPECT_EQ(tried.front(), "/mnt/0");
    EXPECT_EQ(tried.back(), "/mnt/23");
    EXPECT_TRUE(OpticalDrives(*SimDrivesFrom("{}"), kWindows1252).Count() == 0);
}

TEST(LogicalDrives, TypesVolumesAndSizes) {
    auto drives = SimDrivesFrom(R"({"logical_drives": [
      {"root": "A:\\", "type": 1},
      {"root": "C:\\", "type": 3, "bus_type": 11, "volume": {"label": "SYSTEM", "file_system": "NTFS", "serial": "0x1C2D9E0F"},
       "free_space": {"sectors_per_cluster": 8, "bytes_per_sector": 512, "free_clusters": 250000, "total_clusters": 1000000}},
      {"root": "E:\\", "type": 3, "bus_type": 7, "volume": {"label": "", "file_system": "FAT32", "serial": "0xFFFFFFFF"}},
      {"root": "F:\\", "type": 5, "media_type": 51},
      {"root": "G:\\", "type": 5, "media_type": 2, "opens": false},
      {"root": "N:\\", "type": 4, "volume": {"file_system": "NFS"}},
      {"root": "R:\\", "type": 6, "volume": {"file_system": "tmpfs"},
       "free_space": {"sectors_per_cluster": 4294967295, "bytes_per_sector": 4294967295, "free_clusters": 4294967295,
                      "total_clusters": 4294967295}} ]})");
    LogicalDrives logical(*drives, kWindows1252);
    ASSERT_EQ(logical.Count(), 6);
    const auto* c = logical.Item(0);
    EXPECT_EQ(c->Letter(), L"C:");
    EXPECT_EQ(c->DriveType(), 3);
    EXPECT_EQ(c->Name(), L"SYSTEM");
    EXPECT_EQ(c->FileSystem(), L"NTFS");
    EXPECT_EQ(c->SerialNumber(), L"1C2D-9E0F");
    EXPECT_EQ(c->Capacity(), 4096000000);
    EXPECT_EQ(c->FreeSpace(), 1024000000);
    const auto* stick = logical.Item(1);
    EXPECT_EQ(stick->DriveType(), 2);  // a fixed disk on USB
    EXPECT_EQ(stick->Name(), L"");
    EXPECT_EQ(stick->SerialNumber(), L"FFFF-FFFF");
    const auto* dvd = logical.Item(2);
    EXPECT_EQ(dvd->DriveType(), 7);
    EXPECT_EQ(dvd->FileSystem(), L"");
    EXPECT_EQ(dvd->SerialNumber(), L"");
    EXPECT_EQ(dvd->Capacity(), 0);
    EXPECT_EQ(logical.Item(3)->DriveType(), 5);  // device did not open: the system's type stays
    EXPECT_EQ(logical.Item(4)->DriveType(), 4);
    EXPECT_EQ(logical.Item(4)->SerialNumber(), L"");  // no serial reported
    EXPECT_EQ(logical.Item(5)->Capacity(), 0);  // beyond 64 bits
    EXPECT_EQ(drives->OpenHandles(), 0);
}

TEST(LogicalDrives, ByteCountsIn64Bits) {
    EXPECT_EQ(LogicalDrives::Bytes(8, 512, 0x7FFFFFFF), 8796093018112);
    EXPECT_EQ(LogicalDrives::Bytes(65536, 512, 0xFFFFFFFF), 144115188042301440);
    EXPECT_EQ(LogicalDrives::Bytes(0, 512, 100), 0);
    EXPECT_EQ(LogicalDrives::Bytes(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF), std::nullopt);
}

}  // namespace

namespace {

TEST(DriveFields, WriteSpeedFallsBackDifferentlyOnPageAndReport) {
    auto machine = testing_support::SimMachineFile("windows-drives.json");
    OpticalDrives optical(*machine);
    ASSERT_EQ(optical.Count(), 2);
    EXPECT_EQ(optical.Item(0)->Interface(), L"ASPI");  // the module is there
    const app::CategoryRow& category = app::CategoryRowOf(app::kOpticalDrives);
    const format::FormatEx format;
    const auto writeSpeed = app::FieldOf(category, "LabelOpticaldrivesWritespeed").ValueOf(*optical.Item(1), format);
    EXPECT_FALSE(writeSpeed.valid);
    EXPECT_EQ(writeSpeed.fallback, L"Niet ondersteund");
    EXPECT_EQ(writeSpeed.reportFallback, L"Onbekend");
    const app::FieldDeclaration& readSpeed = app::FieldOf(category, "LabelOpticaldrivesReadspeed");
    EXPECT_EQ(readSpeed.ValueOf(*optical.Item(1), format).fallback, L"Onbekend");
    EXPECT_TRUE(readSpeed.ValueOf(*optical.Item(1), format).reportFallback.empty());
    EXPECT_EQ(readSpeed.ValueOf(*optical.Item(0), format).text, L"48x");
}

TEST(DriveFields, VolumeNameShownWhenTheFileSystemWasRead) {
    auto machine = testing_support::SimMachineFile("windows-drives.json");
    LogicalDrives logical(*machine);
    const app::CategoryRow& category = app::CategoryRowOf(app::kLogicalDrives);
    const format::FormatEx format;
    const auto value = [&](const char* label, int item) {
        return app::FieldOf(category, label).ValueOf(*logical.Item(static_cast<std::int16_t>(item)), format);
    };
    const auto name = [&](int item) { return value("LabelLogicaldrivesName", item); };
    EXPECT_TRUE(name(3).valid);  // E: has FAT32 and no label: an empty name, valid
    EXPECT_EQ(name(3).text, L"");
    EXPECT_FALSE(name(4).valid);  // F: has no volume
    // Drive types 0-7 are all list entries; the controller list runs 0-3.
    EXPECT_EQ(value("LabelLogicaldrivesType", 2).listIndex, 7);
}

}  // namespace
