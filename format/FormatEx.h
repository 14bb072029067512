#pragma once
// Display forms of numbers: hexadecimal identifiers, network and device
// addresses, byte counts, volume serial numbers. Stateless apart from the
// regional separators it was made with.

#include <cstdint>
#include <span>
#include <string>

#include "platform/machine.h"

namespace format {

class FormatEx {
public:
    explicit FormatEx(platform::RegionalSettings regional = {}) : regional_(std::move(regional)) {}

    // Units of FormatMemory.
    static constexpr std::int32_t kBytes = 0;
    static constexpr std::int32_t kKilobytes = 1;
    static constexpr std::int32_t kMegabytes = 2;
    static constexpr std::int32_t kGigabytes = 3;
    static constexpr std::int32_t kTerabytes = 4;

    // Upper-case hex of the 32-bit pattern, left-padded with "0" to `digits`
    // (never cut); `delimiter` "0x" goes before, "h" after (compared without
    // case, written as given), anything else is dropped.
    static std::wstring FormatHex(std::int32_t number, std::int16_t digits, std::wstring_view delimiter);
    static std::wstring FormatIP4(std::span<const std::uint8_t> buffer);
    static std::wstring FormatIP6(std::span<const std::int16_t> buffer);
    static std::wstring FormatMAC(std::span<const std::uint8_t> buffer);
    // XXXX-XXXX from the eight hex digits of the number.
    static std::wstring FormatSerialNumber(std::int32_t number);

    // A byte count in the unit `factor` picks, rounded half away from zero and
    // grouped by three with the regional thousands separator ("523,744 KB").
    std::wstring FormatMemory(std::int64_t bytes, std::int32_t factor) const;

    // Up to 15 significant digits, no trailing zeros, no grouping, the
    // regional decimal separator ("2399.75" or "2399,75").
    std::wstring FormatGeneralNumber(double value) const;

    const platform::RegionalSettings& Regional() const { return regional_; }

private:
    std::wstring Grouped(double rounded) const;

    platform::RegionalSettings regional_;
};

}  // namespace format
