#include "platform/win32/aspi_srb.h"

#include <algorithm>

#include "base/bytes.h"

namespace platform::win32::aspi_srb {

namespace {

void WriteAddress(std::span<std::uint8_t> block, std::size_t offset, std::size_t size, std::uint64_t value) {
    if (size == 8)
        base::WriteLe<std::uint64_t>(block, offset, value);
    else
        base::WriteLe32(block, offset, static_cast<std::uint32_t>(value));
}

std::uint8_t ByteAt(std::span<const std::uint8_t> block, std::size_t offset) {
    return offset < block.size() ? block[offset] : 0;
}

}  // namespace

ExecLayout ExecScsiCmdLayout(std::size_t pointerSize) {
    ExecLayout layout{};
    layout.pointerSize = pointerSize == 8 ? 8 : 4;
    layout.bufferLength = 12;
    layout.bufferPointer = 16;
    layout.senseLength = layout.bufferPointer + layout.pointerSize;
    layout.cdbLength = layout.senseLength + 1;
    layout.haStatus = layout.senseLength + 2;
    layout.targetStatus = layout.senseLength + 3;
    layout.postEvent = layout.senseLength + 4;
    layout.cdb = layout.postEvent + layout.pointerSize + 20;  // 20 reserved bytes
    layout.senseArea = layout.cdb + kCdbSize;
    layout.size = layout.senseArea + kSenseAreaSize;
    return layout;
}

std::vector<std::uint8_t> BuildHaInquiry(const SrbHaInquiry& srb) {
    std::vector<std::uint8_t> block(kHaInquirySize, 0);
    block[kCommandOffset] = aspi::kScHaInquiry;
    block[kAdapterOffset] = srb.haId;
    return block;
}

void ReadHaInquiry(std::span<const std::uint8_t> block, SrbHaInquiry& srb) {
    srb.status = ByteAt(block, kStatusOffset);
}

std::vector<std::uint8_t> BuildGetDevType(const SrbGetDevType& srb) {
    std::vector<std::uint8_t> block(kGetDevTypeSize, 0);
    block[kCommandOffset] = aspi::kScGetDevType;
    block[kAdapterOffset] = srb.haId;
    block[kTargetOffset] = srb.target;
    block[kLunOffset] = srb.lun;
    return block;
}

void ReadGetDevType(std::span<const std::uint8_t> block, SrbGetDevType& srb) {
    srb.status = ByteAt(block, kStatusOffset);
    srb.deviceType = ByteAt(block, kDeviceTypeOffset);
}

std::vector<std::uint8_t> BuildExecScsiCmd(const SrbExecScsiCmd& srb, const ExecLayout& layout,
                                           std::uint64_t bufferAddress, std::uint64_t eventHandle) {
    std::vector<std::uint8_t> block(layout.size, 0);
    block[kCommandOffset] = aspi::kScExecScsiCmd;
    block[kAdapterOffset] = srb.haId;
    block[kFlagsOffset] = srb.flags;
    block[kTargetOffset] = srb.target;
    block[kLunOffset] = srb.lun;
    base::WriteLe32(block, layout.bufferLength, srb.bufferLength);
    WriteAddress(block, layout.bufferPointer, layout.pointerSize, bufferAddress);
    block[layout.senseLength] = std::min<std::uint8_t>(srb.senseLength, kSenseAreaSize);
    const std::uint8_t cdbLength = std::min<std::uint8_t>(srb.cdbLength, kCdbSize);
    block[layout.cdbLength] = cdbLength;
    WriteAddress(block, layout.postEvent, layout.pointerSize, eventHandle);
    std::copy_n(srb.cdb.begin(), cdbLength, block.begin() + static_cast<std::ptrdiff_t>(layout.cdb));
    return block;
}

void ReadExecScsiCmd(std::span<const std::uint8_t> block, const ExecLayout& layout, SrbExecScsiCmd& srb) {
    srb.status = ByteAt(block, kStatusOffset);
    srb.haStatus = ByteAt(block, layout.haStatus);
    srb.targetStatus = ByteAt(block, layout.targetStatus);
    for (std::size_t i = 0; i < srb.senseArea.size(); ++i) srb.senseArea[i] = ByteAt(block, layout.senseArea + i);
}

}  // namespace platform::win32::aspi_srb
