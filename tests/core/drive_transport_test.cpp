// The optical-drive transport and command set on simulated drives: the
// command blocks byte for byte, the choice of transport, the ASPI search, and
// what counts as a command sent.

#include <gtest/gtest.h>

#include <array>

#include "sim_drives_support.h"
#include "transport/DLL.h"
#include "transport/MMC.h"

namespace {

using platform::sim::ByteString;
using testing_support::SimDrivesFrom;
using transport::MMC;

// D: is a DVD drive at SCSI address 1:0:2:0; C: a fixed disk.
constexpr const char* kSptiMachine = R"({
  "logical_drives": [ {"root": "C:\\", "type": 3}, {"root": "D:\\", "type": 5} ],
  "optical_drives": { "D:": { "scsi_address": {"port": 1, "path": 0, "target": 2, "lun": 0},
    "commands": {
      "12 00 00 00 24 00": {"data": "05 80 00 32 5b 00 00 00 4d 41 54 53 48 49 54 41"},
      "5a 00 2a 00 00 00 00 00 1e 00": {"scsi_status": 2, "data": "ff ff ff ff"},
      "00 00 00 00 00 00": {"refused": true}
    } } } })";

ByteString LastCdb(const platform::sim::SimDrives& drives) { return drives.Sent().back().cdb; }

TEST(MmcCommandSet, EveryCommandBlockByteForByte) {
    auto drives = SimDrivesFrom(kSptiMachine);
    MMC mmc(*drives);
    ASSERT_TRUE(mmc.Create("D:", ""));
    std::array<std::uint8_t, 2352> buffer{};
    struct Case {
        const char* what;
        std::function<void()> send;
        ByteString cdb;
        std::uint32_t transfer;
    };
    const std::vector<Case> cases = {
        {"TestUnitReady", [&] { mmc.TestUnitReady(); }, {0, 0, 0, 0, 0, 0}, 0},
        {"Inquiry 36", [&] { mmc.Inquiry(36, buffer); }, {0x12, 0, 0, 0, 0x24, 0}, 36},
        {"StartStopUnit eject", [&] { mmc.StartStopUnit(false); }, {0x1B, 0, 0, 0, 0x02, 0}, 0},
        {"StartStopUnit load", [&] { mmc.StartStopUnit(true); }, {0x1B, 0, 0, 0, 0x03, 0}, 0},
        {"ReadCapacity", [&] { mmc.ReadCapacity(8, buffer); }, {0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 8},
        {"Read block 258", [&] { mmc.Read(258, 2048, buffer); }, {0x28, 0, 0, 0, 1, 2, 0, 0, 1, 0}, 2048},
        {"ReadSubChannel", [&] { mmc.ReadSubChannel(1, 3, 16, buffer); }, {0x42, 0, 0x40, 1, 0, 0, 3, 0, 16, 0}, 16},
        {"ReadTOC MSF", [&] { mmc.ReadTOC(true, 0, 804, buffer); }, {0x43, 2, 0, 0, 0, 0, 0, 3, 0x24, 0}, 804},
        {"ReadTOC LBA", [&] { mmc.ReadTOC(false, 1, 12, buffer); }, {0x43, 0, 1, 0, 0, 0, 0, 0, 12, 0}, 12},
        {"ReadHeader", [&] { mmc.ReadHeader(true, 0x01020304, 8, buffer); }, {0x44, 2, 1, 2, 3, 4, 0, 0, 8, 0}, 8},
        {"GetEventStatusNotification", [&] { mmc.GetEventStatusNotification(0x10, 8, buffer); },
         {0x4A, 1, 0, 0, 0x10, 0, 0, 0, 8, 0}, 8},
        {"ReadDiscInformation", [&] { mmc.ReadDiscInformation(34, buffer); }, {0x51, 0, 0, 0, 0, 0, 0, 0, 34, 0}, 34},
        {"ReadTrackInformation", [&] { mmc.ReadTrackInformation(7, 36, buffer); },
         {0x52, 1, 0, 0, 0, 7, 0, 0, 36, 0}, 36},
        {"ModeSense 2Ah", [&] { mmc.ModeSense(0x2A, 30, buffer); }, {0x5A, 0, 0x2A, 0, 0, 0, 0, 0, 0x1E, 0}, 30},
        {"ReadDiscStructure", [&] { mmc.ReadDiscStructure(0, 2052, buffer); },
         {0xAD, 0, 0, 0, 0, 0, 0, 0, 0x08, 0x04, 0, 0}, 2052},
        {"ReadCD", [&] { mmc.ReadCD(16, 2352, buffer); }, {0xBE, 4, 0, 0, 0, 16, 0, 0, 1, 0xF8, 0, 0}, 2352},
    };
    for (const auto& c : cases) {
        c.send();
        EXPECT_EQ(LastCdb(*drives), c.cdb) << c.what;
        EXPECT_EQ(drives->Sent().back().transferLength, c.transfer) << c.what;
        EXPECT_EQ(drives->Sent().back().targetId, 2) << c.what;
    }
}

TEST(MmcCommandSet, AllocationLengthIsTheBufferSizeAtBothEnds) {
    auto drives = SimDrivesFrom(kSptiMachine);
    MMC mmc(*drives);
    ASSERT_TRUE(mmc.Create("D:", "SPTI"));
    std::vector<std::uint8_t> buffer(32767);
    mmc.ModeSense(0x2A, 0, buffer);
    EXPECT_EQ(LastCdb(*drives), (ByteString{0x5A, 0, 0x2A, 0, 0, 0, 0, 0, 0, 0}));
    mmc.ModeSense(0x2A, 32767, buffer);
    EXPECT_EQ(LastCdb(*drives), (ByteString{0x5A, 0, 0x2A, 0, 0, 0, 0, 0x7F, 0xFF, 0}));
    // A buffer smaller than the size asked for, or a negative size, sends nothing.
    const auto sent = drives->Sent().size();
    EXPECT_FALSE(mmc.Inquiry(36, std::span(buffer).first(35)));
    EXPECT_FALSE(mmc.Inquiry(-1, buffer));
    EXPECT_EQ(drives->Sent().size(), sent);
}

TEST(MmcTransport, SptiCountsOnlyCommandsTheDriveFinishedWell) {
    auto drives = SimDrivesFrom(kSptiMachine);
    MMC mmc(*drives);
    ASSERT_TRUE(mmc.Create("D:", ""));
    EXPECT_EQ(mmc.Interface(), L"SPTI");
    std::array<std::uint8_t, 36> inquiry;
    inquiry.fill(0xEE);
    ASSERT_TRUE(mmc.Inquiry(36, inquiry));
    // 16 bytes sent, the other 20 read as zero rather than as what was there.
    EXPECT_EQ(inquiry[8], 'M');
    EXPECT_EQ(inquiry[15], 'A');
    for (std::size_t i = 16; i < 36; ++i) EXPECT_EQ(inquiry[i], 0) << i;
    // CHECK CONDITION is a failure, and its bytes are not left in the buffer.
    std::array<std::uint8_t, 31> page{};
    EXPECT_FALSE(mmc.ModeSense(0x2A, 30, page));
    EXPECT_EQ(page[0], 0);
    EXPECT_FALSE(mmc.TestUnitReady());  // refused request
    // Every command is bounded to a few seconds, never hours.
    for (const auto& sent : drives->Sent()) EXPECT_EQ(sent.timeOutSeconds, MMC::kCommandTimeoutSeconds);
    EXPECT_LE(MMC::kCommandTimeoutSeconds, 10u);
}

TEST(MmcTransport, CreateFailures) {
    auto drives = SimDrivesFrom(R"({
      "logical_drives": [ {"root": "C:\\", "type": 3}, {"root": "D:\\", "type": 5}, {"root": "E:\\", "type": 5},
                          {"root": "F:\\", "type": 5} ],
      "optical_drives": { "D:": {"scsi_address": {"port": 0}}, "E:": {"opens": false}, "F:": {} } })");
    MMC mmc(*drives);
    EXPECT_FALSE(mmc.Create("C:", ""));
    EXPECT_EQ(mmc.ErrorMessage(), L"Error accessing drive");
    EXPECT_FALSE(mmc.Create("E:", ""));
    EXPECT_EQ(mmc.ErrorMessage(), L"Invalid handle");
    EXPECT_FALSE(mmc.Create("F:", ""));
    EXPECT_EQ(mmc.ErrorMessage(), L"Error reading SCSI address");
    EXPECT_EQ(drives->OpenHandles(), 0);
    // No ASPI module: "" picks SPTI, "ASPI" picks nothing, and the names are exact.
    EXPECT_FALSE(mmc.Create("D:", "ASPI"));
    EXPECT_EQ(mmc.ErrorMessage(), L"Error accessing driver");
    EXPECT_EQ(mmc.Interface(), L"");
    EXPECT_FALSE(mmc.Create("D:", "spti"));
    EXPECT_EQ(mmc.ErrorMessage(), L"Error accessing driver");
    std::array<std::uint8_t, 36> buffer{};
    EXPECT_FALSE(mmc.Inquiry(36, buffer));  // before any successful Create
    EXPECT_TRUE(mmc.Create("D:", "SPTI"));
    EXPECT_EQ(mmc.ErrorMessage(), L"");
}

TEST(MmcTransport, CreateTwiceKeepsTheHandleAndRefusesCommandsUntilDestroy) {
    auto drives = SimDrivesFrom(kSptiMachine);
    MMC mmc(*drives);
    ASSERT_TRUE(mmc.Create("D:", ""));
    EXPECT_FALSE(mmc.Create("D:", ""));
    EXPECT_EQ(mmc.ErrorMessage(), L"Handle already open");
    EXPECT_EQ(mmc.Interface(), L"");
    EXPECT_EQ(drives->OpenHandles(), 1);
    std::array<std::uint8_t, 36> buffer{};
    EXPECT_FALSE(mmc.Inquiry(36, buffer));
    mmc.Destroy();
    EXPECT_EQ(drives->OpenHandles(), 0);
    EXPECT_EQ(mmc.ErrorMessage(), L"");
    EXPECT_FALSE(mmc.Inquiry(36, buffer));  // SPTI needs the handle
    EXPECT_TRUE(mmc.Create("D:", ""));
    EXPECT_TRUE(mmc.Inquiry(36, buffer));
}

// Two CD-ROM devices on ASPI adapter 1; the drive letter belongs to the second.
constexpr const char* kAspiMachine = R"({
  "logical_drives": [ {"root": "D:\\", "type": 5}, {"root": "E:\\", "type": 5} ],
  "optical_drives": {
    "D:": {"scsi_address": {"port": 1, "target": 0}},
    "E:": {"scsi_address": {"port": 1, "target": 3},
           "commands": { "12 00 00 00 24 00": {"data": "05 80"},
                         "5a 00 2a 00 00 00 00 00 1e 00": {"completion": "after-wait", "data": "00 1c"},
                         "43 00 00 00 00 00 00 00 0c 00": {"completion": "never"},
                         "25 00 00 00 00 00 00 00 00 00": {"scsi_status": 2} } } },
  "aspi": { "exports": ["GetASPI32SupportInfo", "SendASPI32Command"],
            "adapters": [ {"answers": false},
                          {"devices": [ {"target": 0, "type": 5, "drive": "D:"}, {"target": 1, "type": 0},
                                        {"target": 3, "type": 5, "drive": "E:"} ]} ] } })";

TEST(MmcTransport, AspiSearchMatchesPortAndTarget) {
    auto drives = SimDrivesFrom(kAspiMachine);
    MMC mmc(*drives);
    ASSERT_TRUE(mmc.Create("E:", ""));
    EXPECT_EQ(mmc.Interface(), L"ASPI");
    // The first CD-ROM device's handle was opened and closed again; one stays.
    EXPECT_EQ(drives->HandlesOpened(), 4);  // the module twice, then the drive at 1:0 and at 1:3
    EXPECT_EQ(drives->OpenHandles(), 1);
    std::array<std::uint8_t, 36> buffer{};
    ASSERT_TRUE(mmc.Inquiry(36, buffer));
    EXPECT_EQ(drives->Sent().back().transport, "ASPI");
    EXPECT_EQ(drives->Sent().back().targetId, 3);
    EXPECT_EQ(drives->Sent().back().flags, 0x48);
    EXPECT_EQ(buffer[0], 5);
    mmc.Destroy();
    EXPECT_EQ(drives->OpenHandles(), 0);
    // ASPI does not need the handle: commands still reach the drive.
    EXPECT_TRUE(mmc.Inquiry(36, buffer));
}

TEST(MmcTransport, AspiCommandsThatWaitAndThatNeverFinish) {
    auto drives = SimDrivesFrom(kAspiMachine);
    MMC mmc(*drives);
    ASSERT_TRUE(mmc.Create("E:", "ASPI"));
    std::array<std::uint8_t, 31> page{};
    EXPECT_TRUE(mmc.ModeSense(0x2A, 30, page));
    EXPECT_EQ(page[1], 0x1C);
    std::array<std::uint8_t, 12> toc{};
    EXPECT_FALSE(mmc.ReadTOC(false, 0, 12, toc));  // given up after the time limit
    std::array<std::uint8_t, 8> capacity{};
    EXPECT_FALSE(mmc.ReadCapacity(8, capacity));
    mmc.Destroy();
    EXPECT_EQ(drives->OpenHandles(), 0);  // events closed too
}

TEST(MmcTransport, AspiWithoutMatchOrWithoutAdaptersFails) {
    auto drives = SimDrivesFrom(kAspiMachine);
    drives->opticalDrives["E:"].address->targetId = 6;
    MMC mmc(*drives);
    EXPECT_FALSE(mmc.Create("E:", ""));
    EXPECT_EQ(mmc.ErrorMessage(), L"Error accessing drive");
    EXPECT_EQ(drives->OpenHandles(), 0);
    // A failed search leaves no adapter and target behind for commands.
    std::array<std::uint8_t, 36> buffer{};
    EXPECT_FALSE(mmc.Inquiry(36, buffer));
    EXPECT_TRUE(drives->Sent().empty());
    drives->aspi->supportStatus = 0;  // the module reports no ASPI manager
    EXPECT_FALSE(mmc.Create("D:", ""));
    EXPECT_EQ(mmc.ErrorMessage(), L"Error accessing drive");
}

TEST(Dll, AvailableOnlyWithTheRoutine) {
    auto drives = SimDrivesFrom(R"({"aspi": {"exports": ["GetASPI32SupportInfo"], "file_name": "C:\\W\\WNASPI32.DLL"}})");
    transport::DLL dll(*drives);
    EXPECT_TRUE(dll.IsAvailable("WnAspi32.dll", ""));
    EXPECT_EQ(dll.FileName(), "C:\\W\\WNASPI32.DLL");
    EXPECT_TRUE(dll.IsAvailable("WnAspi32.dll", "GetASPI32SupportInfo"));
    EXPECT_FALSE(dll.IsAvailable("WnAspi32.dll", "SendASPI32Command"));
    EXPECT_FALSE(dll.IsAvailable("other.dll", ""));
    EXPECT_EQ(drives->OpenHandles(), 0);
}

}  // namespace

namespace {

TEST(SimDriveSections, MistakesAreRefusedWithTheirPlace) {
    const auto error = [](const std::string& json) {
        try {
            SimDrivesFrom(json);
        } catch (const std::exception& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_NE(error(R"({"disks": {"0": {"identify": "00 01"}}})").find("/disks/0/identify"), std::string::npos);
    EXPECT_NE(error(R"({"disks": {"x": {}}})").find("/disks/x"), std::string::npos);
    EXPECT_NE(error(R"({"disks": {"0": {"geometri": {}}}})").find("geometri"), std::string::npos);
    EXPECT_NE(error(R"({"optical_drives": {"D:": {"commands": {"12 0": {}}}}})").find("/optical_drives/D:/commands/12 0"),
              std::string::npos);
    EXPECT_NE(error(R"({"optical_drives": {"D:": {"commands": {"12": {"completion": "later"}}}}})").find("completion"),
              std::string::npos);
    EXPECT_NE(error(R"({"logical_drives": [{"type": 3}]})").find("/logical_drives/0"), std::string::npos);
    EXPECT_NE(error(R"({"logical_drives": [{"root": "C:\\", "type": 7}]})").find("/logical_drives/0/type"),
              std::string::npos);
    EXPECT_EQ(error(R"({"disks": {"0": {"identify": {"model": "M"}}}, "logical_drives": []})"), "");
}

}  // namespace
