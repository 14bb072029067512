// Device replies as Windows gives them, built here byte by byte from the
// structures' published layouts (offsets counted from the declarations in
// the Windows SDK and driver kit documentation, not from this program's
// records), fed to the collectors that decode them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "collectors/HardDrives.h"
#include "collectors/LogicalDrives.h"
#include "collectors/USBDevices.h"
#include "platform/machine.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(std::span<std::uint8_t> out, std::size_t at, std::uint32_t v) { base::WriteLe32(out, at, v); }

// An ATA string: two characters a word, the second one first, blank-padded.
void PutAtaString(std::span<std::uint8_t> identify, std::size_t word, std::size_t words, std::string_view text) {
    std::string padded(text);
    padded.resize(words * 2, ' ');
    for (std::size_t i = 0; i < padded.size(); i += 2) {
        identify[word * 2 + i] = static_cast<std::uint8_t>(padded[i + 1]);
        identify[word * 2 + i + 1] = static_cast<std::uint8_t>(padded[i]);
    }
}

// One SATA disk on \\.\PhysicalDrive1.
class DocumentedDisk final : public platform::DriveServices {
public:
    Bytes identifyRequest;

    platform::DeviceHandle CreateFileA(std::string_view name, std::uint32_t, std::uint32_t, std::uint32_t,
                                       std::uint32_t) override {
        return name == "\\\\.\\PhysicalDrive1" ? 7 : platform::kInvalidHandleValue;
    }
    bool CloseHandle(platform::DeviceHandle handle) override { return handle == 7; }
    bool DeviceIoControl(platform::DeviceHandle, std::uint32_t code, std::span<const std::uint8_t> in,
                         std::span<std::uint8_t> out, std::uint32_t& returned) override {
        Bytes reply;
        if (code == 0x00074080) {  // SMART_GET_VERSION: GETVERSIONINPARAMS, 24 bytes
            reply.assign(24, 0);
            reply[0] = 1;     // bVersion
            reply[1] = 1;     // bRevision
            reply[3] = 0x02;  // bIDEDeviceMap: the secondary channel's master
            Put32(reply, 4, 0x7);  // fCapabilities: ATA ID, ATAPI ID, SMART
        } else if (code == 0x0007C088) {  // SMART_RCV_DRIVE_DATA
            identifyRequest.assign(in.begin(), in.end());
            // SENDCMDOUTPARAMS: cBufferSize (4), DRIVERSTATUS (bDriverError,
            // bIDEError, bReserved[2], dwReserved[2]: 12), bBuffer (512).
            reply.assign(16 + 512, 0);
            Put32(reply, 0, 512);
            const std::span<std::uint8_t> identify = std::span(reply).subspan(16);
            PutAtaString(identify, 10, 10, "WD-WCC4N1234567");
            PutAtaString(identify, 23, 4, "80.00A80");
            PutAtaString(identify, 27, 20, "WDC WD10EZEX-08WN4A0");
            identify[510] = 0xA5;  // the signature of a checksummed block
        } else if (code == 0x00070000) {  // IOCTL_DISK_GET_DRIVE_GEOMETRY: DISK_GEOMETRY, 24 bytes
            reply.assign(24, 0);
            base::WriteLe<std::uint64_t>(reply, 0, 121601);  // Cylinders (LARGE_INTEGER)
            Put32(reply, 8, 12);                             // MediaType: FixedMedia
            Put32(reply, 12, 255);                           // TracksPerCylinder
            Put32(reply, 16, 63);                            // SectorsPerTrack
            Put32(reply, 20, 512);                           // BytesPerSector
        } else {
            return false;
        }
        if (reply.size() > out.size()) return false;
        std::copy(reply.begin(), reply.end(), out.begin());
        returned = static_cast<std::uint32_t>(reply.size());
        return true;
    }
};

TEST(DocumentedReplies, IdentifyThroughSmartWithItsSixteenByteHeaderAndTheGeometry) {
    DocumentedDisk disk;
    const collectors::HardDrives drives(disk, base::CodePage::kWindows1252);
    ASSERT_EQ(drives.Count(), 1);
    const auto* d = drives.Item(0);
    EXPECT_EQ(d->Name(), L"WDC WD10EZEX-08WN4A0");
    EXPECT_EQ(d->Revision(), L"80.00A80");
    EXPECT_EQ(d->SerialNumber(), L"WD-WCC4N1234567");
    EXPECT_EQ(d->Controller(), 1);
    EXPECT_EQ(d->BytesPerSector(), 512);
    EXPECT_EQ(d->Cylinders(), 121601);
    EXPECT_EQ(d->Heads(), 255);
    EXPECT_EQ(d->Tracks(), 121601LL * 255);
    EXPECT_EQ(d->Sectors(), 121601LL * 255 * 63);
    EXPECT_EQ(d->Capacity(), 121601LL * 255 * 63 * 512);  // 1,000,202,273,280 bytes

    // SENDCMDINPARAMS: cBufferSize, IDEREGS (features, sector count, sector
    // number, cylinder low, cylinder high, drive/head, command, reserved),
    // bDriveNumber, three reserved bytes, four reserved ULONGs.
    ASSERT_GE(disk.identifyRequest.size(), 32u);
    const Bytes head(disk.identifyRequest.begin(), disk.identifyRequest.begin() + 13);
    EXPECT_EQ(head, (Bytes{0x00, 0x02, 0, 0, 0, 1, 1, 0, 0, 0xA0, 0xEC, 0, 1}));
}

// One volume, E:, on a USB stick or a SATA disk.
class DocumentedVolume final : public platform::DriveServices {
public:
    std::uint32_t busType = 7;  // BusTypeUsb
    Bytes query;

    std::string GetLogicalDriveStringsA() override { return std::string("E:\\\0", 4); }
    std::uint32_t GetDriveTypeA(std::string_view) override { return platform::drive::kDriveFixed; }
    platform::DeviceHandle CreateFileA(std::string_view name, std::uint32_t, std::uint32_t, std::uint32_t,
                                       std::uint32_t) override {
        return name == "\\\\.\\E:" ? 9 : platform::kInvalidHandleValue;
    }
    bool CloseHandle(platform::DeviceHandle handle) override { return handle == 9; }
    bool DeviceIoControl(platform::DeviceHandle, std::uint32_t code, std::span<const std::uint8_t> in,
                         std::span<std::uint8_t> out, std::uint32_t& returned) override {
        if (code != 0x002D1400) return false;  // IOCTL_STORAGE_QUERY_PROPERTY
        query.assign(in.begin(), in.end());
        // STORAGE_DEVICE_DESCRIPTOR: Version, Size, DeviceType, modifier,
        // RemovableMedia, CommandQueueing, the offsets of vendor, product,
        // revision and serial number, BusType, RawPropertiesLength, then the
        // texts the offsets point at.
        Bytes reply(40, 0);
        Put32(reply, 0, 40);
        reply[8] = 0;  // direct-access device
        reply[10] = busType == 7 ? 1 : 0;
        const auto text = [&](std::size_t field, std::string_view value) {
            Put32(reply, field, static_cast<std::uint32_t>(reply.size()));
            reply.insert(reply.end(), value.begin(), value.end());
            reply.push_back(0);
        };
        text(12, "Generic");
        text(16, "Flash Disk");
        text(20, "8.07");
        text(24, "058F63666435");
        Put32(reply, 28, busType);
        Put32(reply, 4, static_cast<std::uint32_t>(reply.size()));
        const std::size_t n = std::min(reply.size(), out.size());
        std::copy_n(reply.begin(), n, out.begin());
        returned = static_cast<std::uint32_t>(n);
        return true;
    }
};

TEST(DocumentedReplies, StorageDescriptorBusTypeTellsARemovableStickFromAFixedDisk) {
    DocumentedVolume stick;
    const collectors::LogicalDrives usb(stick, base::CodePage::kWindows1252);
    ASSERT_EQ(usb.Count(), 1);
    EXPECT_EQ(usb.Item(0)->Letter(), L"E:");
    EXPECT_EQ(usb.Item(0)->DriveType(), 2) << "BusTypeUsb: removable";
    // STORAGE_PROPERTY_QUERY: PropertyId StorageDeviceProperty (0), QueryType
    // PropertyStandardQuery (0).
    ASSERT_GE(stick.query.size(), 8u);
    EXPECT_EQ(Bytes(stick.query.begin(), stick.query.begin() + 8), Bytes(8, 0));

    DocumentedVolume disk;
    disk.busType = 11;  // BusTypeSata
    const collectors::LogicalDrives sata(disk, base::CodePage::kWindows1252);
    ASSERT_EQ(sata.Count(), 1);
    EXPECT_EQ(sata.Item(0)->DriveType(), 3) << "BusTypeSata: fixed";
}

}  // namespace

namespace {

// An NVMe disk on \\.\PhysicalDrive0 that, like Windows for a standard user,
// opens only for no access. Its replies follow winioctl.h's layouts.
class DocumentedNvmeDisk final : public platform::DriveServices {
public:
    Bytes protocolQuery;

    platform::DeviceHandle CreateFileA(std::string_view name, std::uint32_t access, std::uint32_t, std::uint32_t,
                                       std::uint32_t) override {
        return name == "\\\\.\\PhysicalDrive0" && access == 0 ? 5 : platform::kInvalidHandleValue;
    }
    bool CloseHandle(platform::DeviceHandle handle) override { return handle == 5; }
    bool DeviceIoControl(platform::DeviceHandle, std::uint32_t code, std::span<const std::uint8_t> in,
                         std::span<std::uint8_t> out, std::uint32_t& returned) override {
        Bytes reply;
        if (code == 0x002D1400 && in.size() >= 8 && in[0] == 0) {  // StorageDeviceProperty
            reply.assign(40, 0);  // STORAGE_DEVICE_DESCRIPTOR without texts
            Put32(reply, 0, 40);
            Put32(reply, 4, 40);
            Put32(reply, 28, 17);  // BusType: BusTypeNvme
        } else if (code == 0x002D1400 && in.size() >= 8 && in[0] == 49) {  // StorageAdapterProtocolSpecificProperty
            protocolQuery.assign(in.begin(), in.end());
            // STORAGE_PROTOCOL_DATA_DESCRIPTOR: Version (4), Size (4), then
            // STORAGE_PROTOCOL_SPECIFIC_DATA: ProtocolType, DataType,
            // ProtocolDataRequestValue, ProtocolDataRequestSubValue,
            // ProtocolDataOffset, ProtocolDataLength, FixedProtocolReturnData,
            // three more sub-values (4 bytes each, 40 in all); the data at
            // ProtocolDataOffset from that record's start.
            reply.assign(8 + 40 + 4096, 0);
            Put32(reply, 0, 48);
            Put32(reply, 4, 48);
            Put32(reply, 8, 3);      // ProtocolTypeNvme
            Put32(reply, 12, 1);     // NVMeDataTypeIdentify
            Put32(reply, 16, 1);     // CNS: Identify Controller
            Put32(reply, 24, 40);    // ProtocolDataOffset
            Put32(reply, 28, 4096);  // ProtocolDataLength
            // Identify Controller: VID (2), SSVID (2), SN bytes 4-23, MN
            // bytes 24-63, FR bytes 64-71, ASCII padded with blanks.
            const auto put = [&](std::size_t at, std::size_t length, std::string_view text) {
                for (std::size_t i = 0; i < length; ++i)
                    reply[48 + at + i] = static_cast<std::uint8_t>(i < text.size() ? text[i] : ' ');
            };
            reply[48] = 0x4D;  // VID 144Dh, low byte first
            reply[49] = 0x14;
            put(4, 20, "S4EWNX0R123456A");
            put(24, 40, "Samsung SSD 970 EVO Plus 1TB");
            put(64, 8, "2B2QEXM7");
        } else if (code == 0x000700A0) {  // IOCTL_DISK_GET_DRIVE_GEOMETRY_EX
            // DISK_GEOMETRY_EX: Geometry (DISK_GEOMETRY, 24 bytes), DiskSize
            // (LARGE_INTEGER) at 24, then DISK_PARTITION_INFO at 32
            // (SizeOfPartitionInfo, PartitionStyle: 1 GPT, its disk id ...).
            reply.assign(32 + 24, 0);
            base::WriteLe<std::uint64_t>(reply, 0, 121601);  // Cylinders
            Put32(reply, 8, 12);                             // MediaType: FixedMedia
            Put32(reply, 12, 255);                           // TracksPerCylinder
            Put32(reply, 16, 63);                            // SectorsPerTrack
            Put32(reply, 20, 512);                           // BytesPerSector
            base::WriteLe<std::uint64_t>(reply, 24, 1000204886016);  // DiskSize
            Put32(reply, 32, 24);                            // SizeOfPartitionInfo
            Put32(reply, 36, 1);                             // PARTITION_STYLE_GPT
        } else {
            return false;  // SMART, and any read-write request
        }
        if (reply.size() > out.size()) return false;
        std::copy(reply.begin(), reply.end(), out.begin());
        returned = static_cast<std::uint32_t>(reply.size());
        return true;
    }
};

TEST(DocumentedReplies, NvmeIdentifyControllerThroughTheStorageProtocolQueryAndTheDiskSize) {
    DocumentedNvmeDisk disk;
    const collectors::HardDrives drives(disk, base::CodePage::kWindows1252);
    ASSERT_EQ(drives.Count(), 1);
    const auto* d = drives.Item(0);
    EXPECT_EQ(d->Name(), L"Samsung SSD 970 EVO Plus 1TB");
    EXPECT_EQ(d->Revision(), L"2B2QEXM7");
    EXPECT_EQ(d->SerialNumber(), L"S4EWNX0R123456A");
    EXPECT_EQ(d->Controller(), 0);
    EXPECT_EQ(d->Capacity(), 1000204886016) << "DiskSize, not 121601 whole cylinders (1,000,202,273,280)";
    EXPECT_EQ(d->Cylinders(), 121601);
    EXPECT_EQ(d->Heads(), 255);
    EXPECT_EQ(d->BytesPerSector(), 512);

    // STORAGE_PROPERTY_QUERY: PropertyId (4), QueryType (4), then in
    // AdditionalParameters the STORAGE_PROTOCOL_SPECIFIC_DATA, with room for
    // the 4096 bytes after it.
    ASSERT_EQ(disk.protocolQuery.size(), 8u + 40 + 4096);
    const Bytes head(disk.protocolQuery.begin(), disk.protocolQuery.begin() + 48);
    EXPECT_EQ(head, (Bytes{49, 0, 0, 0,  0, 0, 0, 0,           // StorageAdapterProtocolSpecificProperty, standard query
                           3, 0, 0, 0,  1, 0, 0, 0,            // ProtocolTypeNvme, NVMeDataTypeIdentify
                           1, 0, 0, 0,  0, 0, 0, 0,            // CNS 1 (controller), sub-value 0
                           40, 0, 0, 0, 0x00, 0x10, 0, 0,      // ProtocolDataOffset 40, ProtocolDataLength 4096
                           0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0}));
}

}  // namespace
