#pragma once
// The monitor's identification block (EDID, 128-byte base block): its name,
// manufacturer and product code, and the timings it lists. A block with a bad
// header or checksum still gives what its bytes hold; a short one gives what
// lies inside it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform::linux_backend {

struct EdidLayout {
    static constexpr std::size_t kBlockSize = 128;
    static constexpr std::size_t kHeaderSize = 8;
    static constexpr std::size_t kManufacturer = 8;   // big-endian, three 5-bit letters
    static constexpr std::size_t kProductCode = 10;   // little-endian
    static constexpr std::size_t kVersion = 18;
    static constexpr std::size_t kRevision = 19;
    static constexpr std::size_t kEstablishedTimings = 35;  // three bytes of flags
    static constexpr std::size_t kStandardTimings = 38;     // eight two-byte entries
    static constexpr std::size_t kStandardTimingCount = 8;
    static constexpr std::size_t kDescriptors = 54;         // four 18-byte descriptors
    static constexpr std::size_t kDescriptorSize = 18;
    static constexpr std::size_t kDescriptorCount = 4;
    static constexpr std::uint8_t kProductNameTag = 0xFC;
    static constexpr std::size_t kDescriptorText = 5;       // 13 bytes of text
    static constexpr std::size_t kDescriptorTextLength = 13;
};

struct EdidTiming {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    double refresh = 0;  // hertz
    bool preferred = false;

    bool operator==(const EdidTiming&) const = default;
};

struct EdidInfo {
    bool headerValid = false;
    bool checksumValid = false;
    std::string manufacturer;  // "AUO"; letters outside A-Z show as "?"
    std::uint16_t productCode = 0;
    std::string productName;   // from the 0xFC descriptor, "" without one
    // Detailed timings first (the first of them the preferred one), then the
    // standard timings, then the established ones; each size and rate once.
    std::vector<EdidTiming> timings;

    // The name a user knows the monitor by: the product name, else the
    // manufacturer and the product code as four hex digits ("AUO102D").
    std::string DisplayName() const;
};

EdidInfo ParseEdid(std::span<const std::uint8_t> bytes);

// The established timings in bit order (byte 35 bit 7 first).
struct EstablishedTiming {
    std::uint16_t width;
    std::uint16_t height;
    std::uint8_t refresh;
};
std::span<const EstablishedTiming> EstablishedTimings();

}  // namespace platform::linux_backend
