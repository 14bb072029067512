// The drive collectors on a simulated Windows machine as Windows documents
// it and Wine does not show: a standard user, who is refused every open of a
// disk or volume for reading or writing; NVMe disks, which answer the storage
// protocol query and refuse SMART; the geometry with the disk's exact size;
// volumes of more clusters than 32 bits count; an adapter that refuses a
// misaligned pass-through buffer.

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "collectors/HardDrives.h"
#include "collectors/LogicalDrives.h"
#include "collectors/OpticalDrives.h"
#include "platform/drive_records.h"
#include "sim_drives_support.h"
#include "sim_fixture.h"
#include "transport/MMC.h"

namespace {

using collectors::HardDrives;
using collectors::LogicalDrives;
using testing_support::SimDrivesFrom;
namespace drive = platform::drive;

constexpr base::CodePage kWindows1252 = base::CodePage::kWindows1252;

// 600 bytes starting on a 512-byte boundary, whatever the stack aligns to.
class AlignedStorage {
public:
    std::span<std::uint8_t> Bytes() {
        void* start = memory_.data();
        std::size_t room = memory_.size();
        std::align(512, 600, start, room);
        return {static_cast<std::uint8_t*>(start), 600};
    }

private:
    std::vector<std::uint8_t> memory_ = std::vector<std::uint8_t>(600 + 512);
};

// Drive 0: an NVMe disk; 1: a SATA disk that answers SMART and the storage
// queries; 2: a USB disk that answers only the device descriptor; 3: a disk
// nothing names.
std::string DisksOf(bool elevated) {
    return std::string(R"({"elevated": )") + (elevated ? "true" : "false") + R"(, "disks": {
      "0": {"descriptor": {"bus_type": 17, "product": "Samsung SSD 970 EVO Plus 1TB", "serial": "0025_3852_9150_1A2B."},
            "nvme_identify": {"model": "Samsung SSD 970 EVO Plus 1TB", "firmware": "2B2QEXM7", "serial": "S4EWNX0R123456A"},
            "geometry": {"cylinders": 121601, "tracks_per_cylinder": 255, "sectors_per_track": 63, "bytes_per_sector": 512,
                         "disk_size": 1000204886016}},
      "1": {"descriptor": {"bus_type": 11, "product": "ST2000DM008-2FR102", "revision": "0001", "serial": "ZFL1ABCD"},
            "identify": {"model": "ST2000DM008-2FR102", "firmware": "0001", "serial": "ZFL1ABCD"},
            "geometry": {"cylinders": 243201, "tracks_per_cylinder": 255, "sectors_per_track": 63, "bytes_per_sector": 512}},
      "2": {"descriptor": {"bus_type": 7, "removable": true, "vendor": "Generic", "product": "Flash Disk", "revision": "8.07",
                           "serial": "058F63666435"}, "smart_device_map": null},
      "3": {"smart_device_map": null} }})";
}

TEST(HardDrivesStandardUser, EveryDiskNamedByWhatNeedsNoAccess) {
    auto drives = SimDrivesFrom(DisksOf(false));
    HardDrives disks(*drives, kWindows1252);
    ASSERT_EQ(disks.Count(), 3);
    const auto* nvme = disks.Item(0);
    EXPECT_EQ(nvme->Name(), L"Samsung SSD 970 EVO Plus 1TB");
    EXPECT_EQ(nvme->Revision(), L"2B2QEXM7");
    EXPECT_EQ(nvme->SerialNumber(), L"S4EWNX0R123456A") << "the controller's serial, not the descriptor's EUI";
    EXPECT_EQ(nvme->Capacity(), 1000204886016) << "DiskSize, not whole cylinders";
    EXPECT_EQ(nvme->Cylinders(), 121601);
    EXPECT_EQ(nvme->Heads(), 255);
    EXPECT_EQ(nvme->Sectors(), 121601LL * 255 * 63);
    const auto* sata = disks.Item(1);  // SMART refused: the descriptor's texts
    EXPECT_EQ(sata->Controller(), 1);
    EXPECT_EQ(sata->Name(), L"ST2000DM008-2FR102");
    EXPECT_EQ(sata->Revision(), L"0001");
    EXPECT_EQ(sata->SerialNumber(), L"ZFL1ABCD");
    EXPECT_EQ(sata->Capacity(), 243201LL * 255 * 63 * 512) << "no geometry-ex: whole cylinders";
    const auto* usb = disks.Item(2);
    EXPECT_EQ(usb->Name(), L"Generic Flash Disk");
    EXPECT_EQ(usb->Revision(), L"8.07");
    EXPECT_EQ(usb->SerialNumber(), L"058F63666435");
    EXPECT_EQ(usb->Capacity(), 0);
    EXPECT_EQ(drives->OpenHandles(), 0);
}

TEST(HardDrivesStandardUser, AnAdministratorKeepsTheSmartIdentityOfAnAtaDisk) {
    auto drives = SimDrivesFrom(DisksOf(true));
    HardDrives disks(*drives, kWindows1252);
    ASSERT_EQ(disks.Count(), 3);
    EXPECT_EQ(disks.Item(0)->Name(), L"Samsung SSD 970 EVO Plus 1TB");  // NVMe: SMART never answers
    EXPECT_EQ(disks.Item(0)->Capacity(), 1000204886016);
    EXPECT_EQ(disks.Item(1)->Name(), L"ST2000DM008-2FR102");
    EXPECT_EQ(disks.Item(1)->SerialNumber(), L"ZFL1ABCD");
    EXPECT_EQ(disks.Item(2)->Name(), L"Generic Flash Disk");
    EXPECT_EQ(drives->OpenHandles(), 0);
}

TEST(HardDrivesStandardUser, SmartIdentityWinsOverTheDescriptorWhereItAnswers) {
    // The descriptor of a SATA disk behind a storage driver cuts and renames;
    // IDENTIFY is the disk's own word.
    auto drives = SimDrivesFrom(R"({"disks": {"0": {"descriptor": {"bus_type": 11, "vendor": "ATA", "product": "ST2000DM008-2FR1"},
      "identify": {"model": "ST2000DM008-2FR102", "firmware": "0001", "serial": "ZFL1ABCD"}}}})");
    HardDrives disks(*drives, kWindows1252);
    ASSERT_EQ(disks.Count(), 1);
    EXPECT_EQ(disks.Item(0)->Name(), L"ST2000DM008-2FR102");
    EXPECT_EQ(disks.Item(0)->Revision(), L"0001");
}

TEST(HardDrivesStandardUser, AnNvmeDiskIsNeverAskedForSmart) {
    // An NVMe disk whose controller data does not come: SMART is not tried,
    // however it would answer, and the descriptor names the disk.
    auto drives = SimDrivesFrom(R"({"disks": {"0": {"descriptor": {"bus_type": 17, "product": "KXG60ZNV512G"},
      "identify": {"model": "NOT ASKED", "firmware": "0000", "serial": "NOTASKED"}}}})");
    HardDrives disks(*drives, kWindows1252);
    ASSERT_EQ(disks.Count(), 1);
    EXPECT_EQ(disks.Item(0)->Name(), L"KXG60ZNV512G");
    EXPECT_EQ(disks.Item(0)->SerialNumber(), L"");
}

TEST(SimDrivesAccess, StandardUserOpensOnlyForNoAccessAndRequestsNeedTheirAccessBits) {
    auto user = SimDrivesFrom(DisksOf(false));
    const auto share = drive::kFileShareRead | drive::kFileShareWrite;
    EXPECT_EQ(user->CreateFileA("\\\\.\\PhysicalDrive1", drive::kGenericRead, share, drive::kOpenExisting, 0),
              platform::kInvalidHandleValue);
    EXPECT_EQ(user->CreateFileA("\\\\.\\PhysicalDrive1", drive::kGenericWrite, share, drive::kOpenExisting, 0),
              platform::kInvalidHandleValue);
    auto admin = SimDrivesFrom(DisksOf(true));
    // SMART_GET_VERSION needs read access, SMART_RCV_DRIVE_DATA read and
    // write; the geometry none.
    const auto none = admin->CreateFileA("\\\\.\\PhysicalDrive1", 0, share, drive::kOpenExisting, 0);
    const auto read = admin->CreateFileA("\\\\.\\PhysicalDrive1", drive::kGenericRead, share, drive::kOpenExisting, 0);
    ASSERT_NE(none, platform::kInvalidHandleValue);
    ASSERT_NE(read, platform::kInvalidHandleValue);
    std::array<std::uint8_t, 528> out{};
    std::uint32_t returned = 0;
    EXPECT_FALSE(admin->DeviceIoControl(none, drive::kSmartGetVersion, {}, out, returned));
    EXPECT_TRUE(admin->DeviceIoControl(read, drive::kSmartGetVersion, {}, out, returned));
    platform::SendCmdInParams identify;
    identify.irDriveRegs.bCommandReg = platform::SendCmdInParams::kIdentifyDevice;
    std::array<std::uint8_t, sizeof identify> request{};
    platform::WriteRecord(identify, std::span<std::uint8_t>(request));
    EXPECT_FALSE(admin->DeviceIoControl(read, drive::kSmartRcvDriveData, request, out, returned)) << "needs write access too";
    const auto both = admin->CreateFileA("\\\\.\\PhysicalDrive1", drive::kGenericRead | drive::kGenericWrite, share,
                                         drive::kOpenExisting, 0);
    EXPECT_TRUE(admin->DeviceIoControl(both, drive::kSmartRcvDriveData, request, out, returned));
    admin->CloseHandle(both);
    EXPECT_TRUE(admin->DeviceIoControl(none, drive::kIoctlDiskGetDriveGeometry, {}, out, returned));
    EXPECT_EQ(drive::RequiredAccess(drive::kSmartRcvDriveData), drive::kFileReadAccess | drive::kFileWriteAccess);
    EXPECT_EQ(drive::RequiredAccess(drive::kIoctlScsiPassThroughDirect), drive::kFileReadAccess | drive::kFileWriteAccess);
    EXPECT_EQ(drive::RequiredAccess(drive::kSmartGetVersion), drive::kFileReadAccess);
    for (const auto code : {drive::kIoctlStorageQueryProperty, drive::kIoctlStorageGetMediaTypesEx,
                            drive::kIoctlDiskGetDriveGeometry, drive::kIoctlDiskGetDriveGeometryEx, drive::kIoctlScsiGetAddress})
        EXPECT_EQ(drive::RequiredAccess(code), 0u) << std::hex << code;
    admin->CloseHandle(none);
    admin->CloseHandle(read);
}

TEST(HardDrivesStandardUser, MachineFileRefusesMalformedNvmeData) {
    EXPECT_THROW(SimDrivesFrom(R"({"disks": {"0": {"nvme_identify": "00 01"}}})"), platform::sim::SimFileError);
    EXPECT_THROW(SimDrivesFrom(R"({"disks": {"0": {"descriptor": {"bus": 17}}}})"), platform::sim::SimFileError);
    EXPECT_THROW(testing_support::SimFrom(R"({"elevated": "no"})"), platform::sim::SimFileError);
    // Absent, the process is elevated, as under Wine: existing files report as before.
    EXPECT_TRUE(SimDrivesFrom("{}")->elevated);
}

constexpr const char* kVolumes = R"({"elevated": false, "logical_drives": [
  {"root": "C:\\", "type": 3, "bus_type": 17, "volume": {"file_system": "NTFS"},
   "free_space": {"sectors_per_cluster": 8, "bytes_per_sector": 512, "free_clusters": 250000, "total_clusters": 1000000}},
  {"root": "E:\\", "type": 3, "bus_type": 7},
  {"root": "F:\\", "type": 5, "media_type": 51},
  {"root": "S:\\", "type": 4, "volume": {"file_system": "NTFS"},
   "free_space": {"sectors_per_cluster": 8, "bytes_per_sector": 512, "free_clusters": 4294967301, "total_clusters": 8589934597}},
  {"root": "T:\\", "type": 4, "volume": {"file_system": "ReFS"},
   "free_space": {"sectors_per_cluster": 1, "bytes_per_sector": 4096, "free_clusters": 0, "total_clusters": 4294967295}},
  {"root": "U:\\", "type": 4, "volume": {"file_system": "ReFS"},
   "free_space": {"sectors_per_cluster": 1, "bytes_per_sector": 4096, "free_clusters": 1, "total_clusters": 4294967296}} ]})";

TEST(LogicalDrivesStandardUser, UsbStickRemovableAndDvdDriveDvdWithoutAccess) {
    auto drives = SimDrivesFrom(kVolumes);
    LogicalDrives logical(*drives, kWindows1252);
    ASSERT_EQ(logical.Count(), 6);
    EXPECT_EQ(logical.Item(0)->DriveType(), 3);
    EXPECT_EQ(logical.Item(1)->DriveType(), 2) << "a fixed disk on USB";
    EXPECT_EQ(logical.Item(2)->DriveType(), 7) << "a DVD device";
    EXPECT_EQ(drives->OpenHandles(), 0);
}

TEST(LogicalDrivesStandardUser, VolumesPastThirtyTwoBitClusterCountsTakeTheByteCounts) {
    auto drives = SimDrivesFrom(kVolumes);
    LogicalDrives logical(*drives, kWindows1252);
    ASSERT_EQ(logical.Count(), 6);
    // Counts that fit keep the cluster figures.
    EXPECT_EQ(logical.Item(0)->Capacity(), 4096000000);
    EXPECT_EQ(logical.Item(0)->FreeSpace(), 1024000000);
    // 2^33 + 5 clusters of 4 KiB: the 32-bit counts would say 5 and 5.
    EXPECT_EQ(logical.Item(3)->Capacity(), 8589934597LL * 4096);
    EXPECT_EQ(logical.Item(3)->FreeSpace(), 4294967301LL * 4096);
    // Exactly 2^32 - 1 clusters still fit: the cluster figures stand.
    EXPECT_EQ(logical.Item(4)->Capacity(), 4294967295LL * 4096);
    EXPECT_EQ(logical.Item(4)->FreeSpace(), 0);
    // 2^32 clusters, the first count that does not fit: 0 in 32 bits.
    EXPECT_EQ(logical.Item(5)->Capacity(), 4294967296LL * 4096);
    EXPECT_EQ(logical.Item(5)->FreeSpace(), 4096);
}

// D: sits behind an adapter whose DMA needs 512-byte alignment.
constexpr const char* kAlignedAdapter = R"({"elevated": true,
  "logical_drives": [ {"root": "D:\\", "type": 5} ],
  "optical_drives": { "D:": { "scsi_address": {"port": 1}, "alignment_mask": 511,
    "commands": { "12 00 00 00 24 00": {"data": "05 80 00 32 5b 00 00 00 48 4c 2d 44 20 20 20 20"} } } } })";

TEST(PassThroughAlignment, MisalignedBufferReachesTheDriveThroughAnAlignedOne) {
    auto drives = SimDrivesFrom(kAlignedAdapter);
    transport::MMC mmc(*drives);
    ASSERT_TRUE(mmc.Create("D:", "SPTI"));
    AlignedStorage aligned;
    const auto storage = aligned.Bytes();
    for (const std::size_t skew : {std::size_t{0}, std::size_t{1}, std::size_t{8}, std::size_t{511}}) {
        const auto buffer = storage.subspan(skew, 36);
        std::fill(buffer.begin(), buffer.end(), std::uint8_t{0xEE});
        ASSERT_TRUE(mmc.Inquiry(36, buffer)) << "buffer 512n + " << skew;
        EXPECT_EQ(buffer[8], 0x48);
        EXPECT_EQ(buffer[15], 0x20);
        EXPECT_EQ(buffer[16], 0) << "bytes the drive did not send read as 0";
    }
    mmc.Destroy();
    // The collector's own buffers get there too.
    collectors::OpticalDrives optical(*drives, kWindows1252);
    ASSERT_EQ(optical.Count(), 1);
    EXPECT_EQ(optical.Item(0)->Manufacturer(), L"HL-D    ");
}

TEST(PassThroughAlignment, SimulatedAdapterRefusesAMisalignedBuffer) {
    auto drives = SimDrivesFrom(kAlignedAdapter);
    const auto device = drives->CreateFileA("\\\\.\\D:", drive::kGenericRead | drive::kGenericWrite, 3, drive::kOpenExisting, 0);
    AlignedStorage aligned;
    const auto storage = aligned.Bytes();
    platform::ScsiPassThroughDirect request;
    request.cdbLength = 6;
    request.cdb = {0x12, 0, 0, 0, 0x24, 0};
    request.dataTransferLength = 36;
    request.dataBuffer = storage.subspan(4, 36);
    EXPECT_FALSE(drives->DeviceIoControl(device, drive::kIoctlScsiPassThroughDirect, request));
    request.dataBuffer = storage.first(36);
    EXPECT_TRUE(drives->DeviceIoControl(device, drive::kIoctlScsiPassThroughDirect, request));
    drives->CloseHandle(device);
}

// An adapter that names its SCSI address but not its alignment, and notes
// where each pass-through buffer stood.
class SilentAdapter final : public platform::DriveServices {
public:
    platform::DeviceHandle CreateFileA(std::string_view, std::uint32_t, std::uint32_t, std::uint32_t,
                                       std::uint32_t) override {
        return 1;
    }
    bool DeviceIoControl(platform::DeviceHandle, std::uint32_t code, std::span<const std::uint8_t>,
                         std::span<std::uint8_t> out, std::uint32_t& returned) override {
        if (code != drive::kIoctlScsiGetAddress) return false;  // no adapter descriptor
        returned = sizeof(platform::ScsiAddress);
        return platform::WriteRecord(platform::ScsiAddress{}, out);
    }
    bool DeviceIoControl(platform::DeviceHandle, std::uint32_t, platform::ScsiPassThroughDirect& request) override {
        buffers.push_back(reinterpret_cast<std::uintptr_t>(request.dataBuffer.data()));
        request.scsiStatus = platform::ScsiPassThroughDirect::kStatusGood;
        return true;
    }
    bool CloseHandle(platform::DeviceHandle) override { return true; }
    std::uint32_t GetDriveTypeA(std::string_view) override { return drive::kDriveCdrom; }

    std::vector<std::uintptr_t> buffers;
};

TEST(PassThroughAlignment, AnAdapterThatDoesNotTellGetsQuadWordAlignedBuffers) {
    SilentAdapter adapter;
    transport::MMC mmc(adapter);
    ASSERT_TRUE(mmc.Create("D:", "SPTI"));
    AlignedStorage aligned;
    const auto storage = aligned.Bytes();
    for (const std::size_t skew : {std::size_t{0}, std::size_t{4}, std::size_t{8}, std::size_t{12}}) {
        const auto buffer = storage.subspan(skew, 36);
        ASSERT_TRUE(mmc.Inquiry(36, buffer)) << "buffer 512n + " << skew;
        const auto given = reinterpret_cast<std::uintptr_t>(buffer.data());
        EXPECT_EQ(adapter.buffers.back() % 8, 0u) << "buffer 512n + " << skew;
        // A buffer already on a quad word goes as it is; no wider alignment is assumed.
        EXPECT_EQ(adapter.buffers.back() == given, skew % 8 == 0) << "buffer 512n + " << skew;
    }
    mmc.Destroy();
}

TEST(PassThroughAlignment, StandardUserIsRefusedThePassThroughOpen) {
    auto drives = SimDrivesFrom(std::string(kAlignedAdapter).replace(13, 4, "false"));
    ASSERT_FALSE(drives->elevated);
    transport::MMC mmc(*drives);
    EXPECT_FALSE(mmc.Create("D:", "SPTI"));
    EXPECT_EQ(mmc.ErrorMessage(), L"Invalid handle");
}

}  // namespace
