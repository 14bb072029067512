#pragma once
// What the optical-drive collector reads from the drive's replies: the three
// identification fields of standard INQUIRY data and the four speeds of the
// MM capabilities mode page (2Ah) behind a MODE SENSE(10) header.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "base/codepage.h"

namespace transport {

namespace inquiry_data {
inline constexpr std::size_t kLength = 36;
inline constexpr std::size_t kVendorOffset = 8, kVendorLength = 8;
inline constexpr std::size_t kProductOffset = 16, kProductLength = 16;
inline constexpr std::size_t kRevisionOffset = 32, kRevisionLength = 4;
}  // namespace inquiry_data

namespace capabilities_page {
inline constexpr std::uint8_t kPageCode = 0x2A;
inline constexpr std::int16_t kRequestSize = 30;    // allocation length asked for
inline constexpr std::size_t kBufferSize = 31;      // the buffer it lands in
inline constexpr std::size_t kHeaderLength = 8;     // mode parameter header (10)
inline constexpr std::size_t kReadMaximum = 8;      // page offsets, kB/s big-endian
inline constexpr std::size_t kReadCurrent = 14;
inline constexpr std::size_t kWriteMaximum = 18;
inline constexpr std::size_t kWriteCurrent = 20;
inline constexpr std::uint16_t kSingleSpeed = 176;  // kB/s of a single-speed CD drive
}  // namespace capabilities_page

struct InquiryTexts {
    // The fixed-width fields as the drive sent them, trailing blanks kept;
    // each is cut before a NUL. Missing bytes give shorter texts.
    std::wstring manufacturer;
    std::wstring name;
    std::wstring revision;
};
// The texts are read in the machine's code page `page` (ASCII on every drive
// that keeps to the standard).
InquiryTexts DecodeInquiry(std::span<const std::uint8_t> reply, base::CodePage page);

// Speed factors: kB/s divided by the single speed, remainder dropped.
struct DriveSpeeds {
    std::int16_t readMaximum = 0;
    std::int16_t readCurrent = 0;
    std::int16_t writeMaximum = 0;
    std::int16_t writeCurrent = 0;
};
// `reply` is the MODE SENSE(10) buffer; the header is skipped unexamined.
DriveSpeeds DecodeCapabilitiesPage(std::span<const std::uint8_t> reply);
std::int16_t SpeedFactor(std::uint16_t kilobytesPerSecond);

}  // namespace transport
