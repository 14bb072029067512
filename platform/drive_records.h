#pragma once
// The byte layouts of the disk and storage requests and replies that travel
// through DriveServices::DeviceIoControl. All little-endian, packed as the
// disk drivers define them; the structs are read and written with memcpy,
// never cast in place, and the single fields with base/bytes.h.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>

#include "base/bytes.h"

namespace platform {

// The structs are copied as they lie in memory, so the machine's own order
// must be the drivers' order.
static_assert(std::endian::native == std::endian::little);

#pragma pack(push, 1)

// GETVERSIONINPARAMS: the reply of SMART_GET_VERSION.
struct GetVersionInParams {
    std::uint8_t bVersion = 0;
    std::uint8_t bRevision = 0;
    std::uint8_t bReserved = 0;
    std::uint8_t bIDEDeviceMap = 0;  // bit n: drive n answers ATA commands
    std::uint32_t fCapabilities = 0;
    std::array<std::uint32_t, 4> dwReserved{};
};
static_assert(sizeof(GetVersionInParams) == 24);

// IDEREGS: the task-file registers of one ATA command.
struct IdeRegs {
    std::uint8_t bFeaturesReg = 0;
    std::uint8_t bSectorCountReg = 0;
    std::uint8_t bSectorNumberReg = 0;
    std::uint8_t bCylLowReg = 0;
    std::uint8_t bCylHighReg = 0;
    std::uint8_t bDriveHeadReg = 0;
    std::uint8_t bCommandReg = 0;
    std::uint8_t bReserved = 0;
};
static_assert(sizeof(IdeRegs) == 8);

// SENDCMDINPARAMS without its one-byte data tail: the request of
// SMART_RCV_DRIVE_DATA.
struct SendCmdInParams {
    static constexpr std::uint8_t kIdentifyDevice = 0xEC;
    static constexpr std::uint8_t kDriveHeadMaster = 0xA0;

    std::uint32_t cBufferSize = 0;
    IdeRegs irDriveRegs;
    std::uint8_t bDriveNumber = 0;
    std::array<std::uint8_t, 3> bReserved{};
    std::array<std::uint32_t, 4> dwReserved{};
};
static_assert(sizeof(SendCmdInParams) == 32);

// SENDCMDOUTPARAMS: the buffer size, the driver's status, then the data.
namespace send_cmd_out {
inline constexpr std::size_t kBufferSizeOffset = 0;
inline constexpr std::size_t kDataOffset = 16;
inline constexpr std::size_t kIdentifyLength = 512;
inline constexpr std::size_t kSize = kDataOffset + kIdentifyLength;  // 528
}  // namespace send_cmd_out

// DISK_GEOMETRY: the reply of IOCTL_DISK_GET_DRIVE_GEOMETRY.
struct DiskGeometry {
    static constexpr std::uint32_t kFixedMedia = 12;

    std::int64_t cylinders = 0;
    std::uint32_t mediaType = 0;
    std::uint32_t tracksPerCylinder = 0;
    std::uint32_t sectorsPerTrack = 0;
    std::uint32_t bytesPerSector = 0;
};
static_assert(sizeof(DiskGeometry) == 24);

// SCSI_ADDRESS: the reply of IOCTL_SCSI_GET_ADDRESS.
struct ScsiAddress {
    std::uint32_t length = sizeof(ScsiAddress);
    std::uint8_t portNumber = 0;
    std::uint8_t pathId = 0;
    std::uint8_t targetId = 0;
    std::uint8_t lun = 0;
};
static_assert(sizeof(ScsiAddress) == 8);

#pragma pack(pop)

// IOCTL_STORAGE_QUERY_PROPERTY: a property query in, a device descriptor out.
namespace storage_query {
inline constexpr std::size_t kQuerySize = 264;  // property id, query type, parameters
inline constexpr std::size_t kPropertyIdOffset = 0;
inline constexpr std::size_t kQueryTypeOffset = 4;
inline constexpr std::uint32_t kStorageDeviceProperty = 0;
inline constexpr std::uint32_t kPropertyStandardQuery = 0;
// STORAGE_DEVICE_DESCRIPTOR: its version and size lead it; the bus type is
// the last field a caller reads.
inline constexpr std::size_t kDescriptorSize = 292;
inline constexpr std::size_t kVersionOffset = 0;
inline constexpr std::size_t kSizeOffset = 4;
inline constexpr std::size_t kDeviceTypeOffset = 8;
inline constexpr std::size_t kRemovableMediaOffset = 10;
// Offsets, from the descriptor's start, of NUL-ended texts after it; 0: none.
inline constexpr std::size_t kVendorIdOffset = 12;
inline constexpr std::size_t kProductIdOffset = 16;
inline constexpr std::size_t kProductRevisionOffset = 20;
inline constexpr std::size_t kSerialNumberOffset = 24;
inline constexpr std::size_t kBusTypeOffset = 28;
inline constexpr std::size_t kThroughBusType = kBusTypeOffset + 4;
inline constexpr std::size_t kDescriptorHeaderSize = 40;  // through RawDeviceProperties[1], padded
// STORAGE_PROPERTY_ID values beyond the device property.
inline constexpr std::uint32_t kStorageAdapterProperty = 1;
inline constexpr std::uint32_t kStorageAdapterProtocolSpecificProperty = 49;
inline constexpr std::uint32_t kStorageDeviceProtocolSpecificProperty = 50;
// STORAGE_ADAPTER_DESCRIPTOR: the alignment a transfer buffer needs
// (0 byte, 1 word, 3 double word, 7 quad word).
inline constexpr std::size_t kAdapterDescriptorSize = 32;
inline constexpr std::size_t kAlignmentMaskOffset = 16;
// STORAGE_BUS_TYPE values.
inline constexpr std::uint32_t kBusTypeUnknown = 0;
inline constexpr std::uint32_t kBusTypeScsi = 1;
inline constexpr std::uint32_t kBusTypeAtapi = 2;
inline constexpr std::uint32_t kBusTypeAta = 3;
inline constexpr std::uint32_t kBusTypeUsb = 7;
inline constexpr std::uint32_t kBusTypeSata = 11;
inline constexpr std::uint32_t kBusTypeSd = 12;
inline constexpr std::uint32_t kBusTypeMmc = 13;
inline constexpr std::uint32_t kBusTypeVirtual = 14;
inline constexpr std::uint32_t kBusTypeNvme = 17;
}  // namespace storage_query

// The protocol-specific property of IOCTL_STORAGE_QUERY_PROPERTY: the
// STORAGE_PROPERTY_QUERY carries a STORAGE_PROTOCOL_SPECIFIC_DATA in its
// AdditionalParameters, and the same buffer comes back as a
// STORAGE_PROTOCOL_DATA_DESCRIPTOR (Version, Size, then that record again)
// with the protocol's data at ProtocolDataOffset, counted from the record.
namespace protocol_query {
inline constexpr std::size_t kAdditionalParametersOffset = 8;  // in STORAGE_PROPERTY_QUERY
// STORAGE_PROTOCOL_SPECIFIC_DATA, 40 bytes.
inline constexpr std::size_t kProtocolTypeOffset = 0;
inline constexpr std::size_t kDataTypeOffset = 4;
inline constexpr std::size_t kRequestValueOffset = 8;
inline constexpr std::size_t kRequestSubValueOffset = 12;
inline constexpr std::size_t kDataOffsetOffset = 16;
inline constexpr std::size_t kDataLengthOffset = 20;
inline constexpr std::size_t kFixedReturnDataOffset = 24;
inline constexpr std::size_t kSpecificDataSize = 40;
// STORAGE_PROTOCOL_DATA_DESCRIPTOR: Version and Size (both its own size), then the record.
inline constexpr std::size_t kDescriptorVersionOffset = 0;
inline constexpr std::size_t kDescriptorSizeOffset = 4;
inline constexpr std::size_t kDescriptorDataOffset = 8;
inline constexpr std::size_t kDescriptorSize = kDescriptorDataOffset + kSpecificDataSize;  // 48
// STORAGE_PROTOCOL_TYPE, STORAGE_PROTOCOL_NVME_DATA_TYPE and the Identify CNS.
inline constexpr std::uint32_t kProtocolTypeNvme = 3;
inline constexpr std::uint32_t kNvmeDataTypeIdentify = 1;
inline constexpr std::uint32_t kNvmeIdentifyCnsController = 1;
inline constexpr std::size_t kNvmeIdentifyLength = 4096;
// One buffer holds the query going in and the descriptor coming out.
inline constexpr std::size_t kNvmeIdentifyBufferSize =
    kAdditionalParametersOffset + kSpecificDataSize + kNvmeIdentifyLength;  // 4144
}  // namespace protocol_query

// DISK_GEOMETRY_EX: the reply of IOCTL_DISK_GET_DRIVE_GEOMETRY_EX. The
// geometry leads it; DiskSize is the disk's whole size in bytes, which the
// cylinders of the geometry round down to a whole cylinder. Partition and
// detection information follow, and are not read.
namespace disk_geometry_ex {
inline constexpr std::size_t kGeometryOffset = 0;
inline constexpr std::size_t kDiskSizeOffset = 24;
inline constexpr std::size_t kMinimumSize = 32;  // through DiskSize
inline constexpr std::size_t kReplySize = 256;   // room for what follows
}  // namespace disk_geometry_ex

// IOCTL_STORAGE_GET_MEDIA_TYPES_EX: the device type and the count of media
// infos that follow lead the reply.
namespace media_types {
inline constexpr std::size_t kReplySize = 520;
inline constexpr std::size_t kDeviceTypeOffset = 0;
inline constexpr std::size_t kMediaInfoCountOffset = 4;
inline constexpr std::size_t kHeaderSize = 8;
inline constexpr std::uint32_t kFileDeviceCdrom = 2;
inline constexpr std::uint32_t kFileDeviceDvd = 0x33;
}  // namespace media_types

template <typename Record>
std::optional<Record> ReadRecord(std::span<const std::uint8_t> bytes, std::size_t offset = 0) {
    Record record;
    if (offset > bytes.size() || bytes.size() - offset < sizeof(Record)) return std::nullopt;
    std::memcpy(&record, bytes.data() + offset, sizeof(Record));
    return record;
}

// False when `out` is too small.
template <typename Record>
bool WriteRecord(const Record& record, std::span<std::uint8_t> out, std::size_t offset = 0) {
    if (offset > out.size() || out.size() - offset < sizeof(Record)) return false;
    std::memcpy(out.data() + offset, &record, sizeof(Record));
    return true;
}

}  // namespace platform
