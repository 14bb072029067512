#include "platform/sim/sim_drives_storage.h"

#include <algorithm>

#include "base/bytes.h"

namespace platform::sim {

namespace {

namespace q = storage_query;
namespace p = protocol_query;

// The protocol-specific query an NVMe disk answers: Identify Controller,
// with room for all of it after the record.
bool AnswerIdentifyController(const ByteString& identify, std::span<const std::uint8_t> in,
                              std::span<std::uint8_t> out, std::uint32_t& bytesReturned) {
    const auto request = in.size() >= p::kAdditionalParametersOffset + p::kSpecificDataSize
                             ? in.subspan(p::kAdditionalParametersOffset, p::kSpecificDataSize)
                             : std::span<const std::uint8_t>();
    if (request.empty() || base::ReadLe32(request, p::kProtocolTypeOffset) != p::kProtocolTypeNvme ||
        base::ReadLe32(request, p::kDataTypeOffset) != p::kNvmeDataTypeIdentify ||
        base::ReadLe32(request, p::kRequestValueOffset) != p::kNvmeIdentifyCnsController)
        return false;
    const std::uint32_t dataOffset = base::ReadLe32(request, p::kDataOffsetOffset).value_or(0);
    const std::uint32_t dataLength = base::ReadLe32(request, p::kDataLengthOffset).value_or(0);
    // The data must lie after the record and fit the buffer it came in.
    const std::uint64_t dataEnd = std::uint64_t{p::kDescriptorDataOffset} + dataOffset + p::kNvmeIdentifyLength;
    if (dataOffset < p::kSpecificDataSize || dataLength < p::kNvmeIdentifyLength || dataEnd > out.size()) return false;
    std::array<std::uint8_t, p::kSpecificDataSize> record{};
    std::copy(request.begin(), request.end(), record.begin());
    base::WriteLe32(record, p::kDataLengthOffset, static_cast<std::uint32_t>(p::kNvmeIdentifyLength));
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    base::WriteLe32(out, p::kDescriptorVersionOffset, static_cast<std::uint32_t>(p::kDescriptorSize));
    base::WriteLe32(out, p::kDescriptorSizeOffset, static_cast<std::uint32_t>(p::kDescriptorSize));
    std::copy(record.begin(), record.end(), out.begin() + p::kDescriptorDataOffset);
    const auto data = out.subspan(p::kDescriptorDataOffset + dataOffset, p::kNvmeIdentifyLength);
    std::copy_n(identify.begin(), std::min(identify.size(), data.size()), data.begin());
    bytesReturned = static_cast<std::uint32_t>(dataEnd);
    return true;
}

}  // namespace

bool WriteStorageDescriptor(const SimStorageDescriptor& descriptor, std::span<std::uint8_t> out,
                            std::uint32_t& bytesReturned) {
    if (out.size() < q::kDescriptorHeaderSize) return false;
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    base::WriteLe32(out, q::kVersionOffset, static_cast<std::uint32_t>(q::kDescriptorHeaderSize));
    out[q::kRemovableMediaOffset] = descriptor.removable ? 1 : 0;
    base::WriteLe32(out, q::kBusTypeOffset, descriptor.busType);
    std::size_t end = q::kDescriptorHeaderSize;
    // Each text ends in NUL; one that does not fit is left out, as its offset 0 says.
    const auto text = [&](std::size_t field, const std::string& value) {
        if (value.empty() || end + value.size() + 1 > out.size()) return;
        base::WriteLe32(out, field, static_cast<std::uint32_t>(end));
        std::copy(value.begin(), value.end(), out.begin() + static_cast<std::ptrdiff_t>(end));
        end += value.size() + 1;
    };
    text(q::kVendorIdOffset, descriptor.vendor);
    text(q::kProductIdOffset, descriptor.product);
    text(q::kProductRevisionOffset, descriptor.revision);
    text(q::kSerialNumberOffset, descriptor.serial);
    base::WriteLe32(out, q::kSizeOffset, static_cast<std::uint32_t>(end));
    bytesReturned = static_cast<std::uint32_t>(end);
    return true;
}

bool AnswerDiskQuery(const SimDisk& disk, std::span<const std::uint8_t> in, std::span<std::uint8_t> out,
                     std::uint32_t& bytesReturned) {
    const auto property = base::ReadLe32(in, q::kPropertyIdOffset);
    if (!property || base::ReadLe32(in, q::kQueryTypeOffset) != q::kPropertyStandardQuery) return false;
    if (*property == q::kStorageDeviceProperty)
        return disk.descriptor && WriteStorageDescriptor(*disk.descriptor, out, bytesReturned);
    if (*property == q::kStorageAdapterProtocolSpecificProperty || *property == q::kStorageDeviceProtocolSpecificProperty)
        return disk.nvmeIdentify && AnswerIdentifyController(*disk.nvmeIdentify, in, out, bytesReturned);
    return false;
}

bool AnswerGeometryEx(const SimDisk& disk, std::span<std::uint8_t> out, std::uint32_t& bytesReturned) {
    namespace g = disk_geometry_ex;
    if (!disk.geometry || !disk.diskSize || out.size() < g::kMinimumSize) return false;
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    WriteRecord(*disk.geometry, out, g::kGeometryOffset);
    base::WriteLe<std::uint64_t>(out, g::kDiskSizeOffset, *disk.diskSize);
    bytesReturned = static_cast<std::uint32_t>(g::kMinimumSize);
    return true;
}

}  // namespace platform::sim
