#include "collectors/HardDriveQueries.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/bytes.h"

namespace collectors {

namespace {

namespace drive = platform::drive;
namespace q = platform::storage_query;
namespace p = platform::protocol_query;

// The NUL-ended text at the offset a descriptor field names, inside the
// `length` bytes the driver returned; "" for offset 0 or one outside them.
std::string DescriptorText(std::span<const std::uint8_t> reply, std::size_t field) {
    const std::uint32_t offset = base::ReadLe32(reply, field).value_or(0);
    if (offset == 0 || offset >= reply.size()) return {};
    const auto rest = reply.subspan(offset);
    const auto end = std::find(rest.begin(), rest.end(), std::uint8_t{0});
    std::string text(rest.begin(), end);
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::optional<StorageDescriptorText> QueryStorageDescriptor(platform::DriveServices& drives,
                                                            platform::DeviceHandle disk) {
    std::array<std::uint8_t, q::kQuerySize> query{};
    base::WriteLe32(query, q::kPropertyIdOffset, q::kStorageDeviceProperty);
    base::WriteLe32(query, q::kQueryTypeOffset, q::kPropertyStandardQuery);
    std::array<std::uint8_t, q::kDescriptorSize> reply{};
    std::uint32_t returned = 0;
    if (!drives.DeviceIoControl(disk, drive::kIoctlStorageQueryProperty, query, reply, returned)) return std::nullopt;
    const auto answered = std::span<const std::uint8_t>(reply).first(std::min<std::size_t>(returned, reply.size()));
    if (answered.size() < q::kThroughBusType) return std::nullopt;
    StorageDescriptorText text;
    text.vendor = DescriptorText(answered, q::kVendorIdOffset);
    text.product = DescriptorText(answered, q::kProductIdOffset);
    text.revision = DescriptorText(answered, q::kProductRevisionOffset);
    text.serial = DescriptorText(answered, q::kSerialNumberOffset);
    text.busType = *base::ReadLe32(answered, q::kBusTypeOffset);
    return text;
}

std::array<std::uint8_t, p::kNvmeIdentifyBufferSize> NvmeIdentifyQuery(std::uint32_t property) {
    std::array<std::uint8_t, p::kNvmeIdentifyBufferSize> query{};
    base::WriteLe32(query, q::kPropertyIdOffset, property);
    base::WriteLe32(query, q::kQueryTypeOffset, q::kPropertyStandardQuery);
    const auto record = std::span<std::uint8_t>(query).subspan(p::kAdditionalParametersOffset, p::kSpecificDataSize);
    base::WriteLe32(record, p::kProtocolTypeOffset, p::kProtocolTypeNvme);
    base::WriteLe32(record, p::kDataTypeOffset, p::kNvmeDataTypeIdentify);
    base::WriteLe32(record, p::kRequestValueOffset, p::kNvmeIdentifyCnsController);
    base::WriteLe32(record, p::kDataOffsetOffset, static_cast<std::uint32_t>(p::kSpecificDataSize));
    base::WriteLe32(record, p::kDataLengthOffset, static_cast<std::uint32_t>(p::kNvmeIdentifyLength));
    return query;
}

std::optional<platform::DiskIdentityText> QueryNvmeIdentify(platform::DriveServices& drives,
                                                            platform::DeviceHandle disk) {
    for (const std::uint32_t property : {q::kStorageAdapterProtocolSpecificProperty, q::kStorageDeviceProtocolSpecificProperty}) {
        const auto query = NvmeIdentifyQuery(property);
        // 4 KiB for the data: kept off the stack.
        std::vector<std::uint8_t> reply(p::kNvmeIdentifyBufferSize);
        std::uint32_t returned = 0;
        if (!drives.DeviceIoControl(disk, drive::kIoctlStorageQueryProperty, query, reply, returned)) continue;
        const auto answered = std::span<const std::uint8_t>(reply).first(std::min<std::size_t>(returned, reply.size()));
        // The descriptor's record says where the data lies, counted from the record.
        const auto record = answered.size() >= p::kDescriptorSize
                                ? answered.subspan(p::kDescriptorDataOffset, p::kSpecificDataSize)
                                : std::span<const std::uint8_t>();
        if (record.empty()) continue;
        const std::uint64_t offset = p::kDescriptorDataOffset + *base::ReadLe32(record, p::kDataOffsetOffset);
        const std::uint32_t length = *base::ReadLe32(record, p::kDataLengthOffset);
        if (offset > answered.size()) continue;
        const auto data = answered.subspan(static_cast<std::size_t>(offset));
        if (const auto identity = platform::ReadNvmeIdentifyController(data.first(std::min<std::size_t>(length, data.size()))))
            return identity;
    }
    return std::nullopt;
}

std::optional<DiskGeometryAnswer> QueryGeometry(platform::DriveServices& drives, platform::DeviceHandle disk) {
    namespace g = platform::disk_geometry_ex;
    std::array<std::uint8_t, g::kReplySize> reply{};
    std::uint32_t returned = 0;
    if (drives.DeviceIoControl(disk, drive::kIoctlDiskGetDriveGeometryEx, {}, reply, returned) &&
        returned >= g::kMinimumSize) {
        // DiskSize is a LARGE_INTEGER: a negative one is no size.
        const auto size = base::ReadLe<std::uint64_t>(reply, g::kDiskSizeOffset);
        DiskGeometryAnswer answer{*platform::ReadRecord<platform::DiskGeometry>(reply, g::kGeometryOffset), std::nullopt};
        if (size && *size <= static_cast<std::uint64_t>(INT64_MAX)) answer.diskSize = static_cast<std::int64_t>(*size);
        return answer;
    }
    std::array<std::uint8_t, sizeof(platform::DiskGeometry)> geometry{};
    if (!drives.DeviceIoControl(disk, drive::kIoctlDiskGetDriveGeometry, {}, geometry, returned)) return std::nullopt;
    return DiskGeometryAnswer{*platform::ReadRecord<platform::DiskGeometry>(geometry), std::nullopt};
}

}  // namespace collectors
