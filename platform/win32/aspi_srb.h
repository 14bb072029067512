#pragma once
// The ASPI request blocks as the module reads them: bytes, little-endian,
// packed. Building and reading them are pure functions, so every offset is
// tested without the module.
//
// The execute-command block holds two addresses (the data buffer and the
// completion event). A 32-bit module takes the 80-byte block with 4-byte
// addresses at 16 and 24; a 64-bit process can only load a 64-bit module,
// which takes the same packed block with its two addresses 8 bytes wide, so
// everything after them moves on by 4 and 8 bytes (88 bytes in all).

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/drive_services.h"

namespace platform::win32::aspi_srb {

inline constexpr std::size_t kHaInquirySize = 60;
inline constexpr std::size_t kGetDevTypeSize = 12;

// Shared by all three blocks.
inline constexpr std::size_t kCommandOffset = 0;
inline constexpr std::size_t kStatusOffset = 1;
inline constexpr std::size_t kAdapterOffset = 2;
inline constexpr std::size_t kFlagsOffset = 3;
inline constexpr std::size_t kTargetOffset = 8;
inline constexpr std::size_t kLunOffset = 9;
inline constexpr std::size_t kDeviceTypeOffset = 10;  // get device type

// Where each field of the execute-command block lies for addresses of
// `pointerSize` bytes (4 or 8).
struct ExecLayout {
    std::size_t pointerSize;
    std::size_t bufferLength = 12;
    std::size_t bufferPointer = 16;
    std::size_t senseLength;
    std::size_t cdbLength;
    std::size_t haStatus;
    std::size_t targetStatus;
    std::size_t postEvent;
    std::size_t cdb;
    std::size_t senseArea;
    std::size_t size;
};
inline constexpr std::size_t kCdbSize = 16;
inline constexpr std::size_t kSenseAreaSize = 16;
ExecLayout ExecScsiCmdLayout(std::size_t pointerSize);
// The layout of this process's module.
inline ExecLayout NativeExecLayout() { return ExecScsiCmdLayout(sizeof(void*)); }

std::vector<std::uint8_t> BuildHaInquiry(const SrbHaInquiry& srb);
void ReadHaInquiry(std::span<const std::uint8_t> block, SrbHaInquiry& srb);

std::vector<std::uint8_t> BuildGetDevType(const SrbGetDevType& srb);
void ReadGetDevType(std::span<const std::uint8_t> block, SrbGetDevType& srb);

// The block for `srb`, its data buffer at `bufferAddress` and its event
// `eventHandle` (the module writes into and signals those, not srb's).
// A command block longer than 16 bytes is cut to 16.
std::vector<std::uint8_t> BuildExecScsiCmd(const SrbExecScsiCmd& srb, const ExecLayout& layout,
                                           std::uint64_t bufferAddress, std::uint64_t eventHandle);
// What the module wrote back: the status, the adapter and target status,
// the sense area. The data went straight to the buffer.
void ReadExecScsiCmd(std::span<const std::uint8_t> block, const ExecLayout& layout, SrbExecScsiCmd& srb);

}  // namespace platform::win32::aspi_srb
