#pragma once
// What a physical disk tells on a handle opened for no access, which every
// user may open: the storage driver's device descriptor, an NVMe disk's
// Identify Controller data through the protocol-specific property, and the
// geometry with the disk's exact size. None of these needs read or write
// access to the disk (their codes carry FILE_ANY_ACCESS).

#include <cstdint>
#include <optional>
#include <string>

#include "platform/drive_records.h"
#include "platform/drive_services.h"
#include "platform/identify_block.h"

namespace collectors {

// STORAGE_DEVICE_DESCRIPTOR's texts (bytes in the machine's code page, blanks
// trimmed) and its bus type.
struct StorageDescriptorText {
    std::string vendor, product, revision, serial;
    std::uint32_t busType = platform::storage_query::kBusTypeUnknown;
};

struct DiskGeometryAnswer {
    platform::DiskGeometry geometry;
    std::optional<std::int64_t> diskSize;  // when the geometry-ex request answered
};

std::optional<StorageDescriptorText> QueryStorageDescriptor(platform::DriveServices& drives,
                                                            platform::DeviceHandle disk);
// Asks the controller's data first (the adapter property), then the device's.
std::optional<platform::DiskIdentityText> QueryNvmeIdentify(platform::DriveServices& drives,
                                                            platform::DeviceHandle disk);
// IOCTL_DISK_GET_DRIVE_GEOMETRY_EX, else IOCTL_DISK_GET_DRIVE_GEOMETRY without a size.
std::optional<DiskGeometryAnswer> QueryGeometry(platform::DriveServices& drives, platform::DeviceHandle disk);

// The NVMe storage query: STORAGE_PROPERTY_QUERY with the protocol-specific
// record asking for Identify Controller; `property` is the adapter's or the
// device's protocol-specific property.
std::array<std::uint8_t, platform::protocol_query::kNvmeIdentifyBufferSize> NvmeIdentifyQuery(std::uint32_t property);

}  // namespace collectors
