#pragma once
// The display device record and the display mode record as bytes, in their
// Windows layout: numbers 32-bit little-endian, texts single-byte and
// zero-ended in fixed fields. The backends fill them with the functions
// here; the display collector reads them through the same layouts.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace platform::display {

// DISPLAY_DEVICEA, up to and including StateFlags (the program passes cb = 168).
struct DisplayDeviceLayout {
    static constexpr std::size_t kSize = 168;
    static constexpr std::size_t kCb = 0;
    static constexpr std::size_t kDeviceName = 4;
    static constexpr std::size_t kDeviceNameLength = 32;
    static constexpr std::size_t kDeviceString = 36;
    static constexpr std::size_t kDeviceStringLength = 128;
    static constexpr std::size_t kStateFlags = 164;
};
static_assert(DisplayDeviceLayout::kDeviceName + DisplayDeviceLayout::kDeviceNameLength ==
              DisplayDeviceLayout::kDeviceString);
static_assert(DisplayDeviceLayout::kDeviceString + DisplayDeviceLayout::kDeviceStringLength ==
              DisplayDeviceLayout::kStateFlags);
static_assert(DisplayDeviceLayout::kStateFlags + 4 == DisplayDeviceLayout::kSize);
inline constexpr std::uint32_t kPrimaryDevice = 4;  // DISPLAY_DEVICE_PRIMARY_DEVICE

// DEVMODEA up to and including dmDisplayFrequency (dmSize = 124, dmDriverExtra = 0).
struct DevModeLayout {
    static constexpr std::size_t kSize = 124;
    static constexpr std::size_t kSpecVersion = 32;
    static constexpr std::size_t kDmSize = 36;
    static constexpr std::size_t kDriverExtra = 38;
    static constexpr std::size_t kFields = 40;
    static constexpr std::size_t kBitsPerPel = 104;
    static constexpr std::size_t kPelsWidth = 108;
    static constexpr std::size_t kPelsHeight = 112;
    static constexpr std::size_t kDisplayFlags = 116;
    static constexpr std::size_t kDisplayFrequency = 120;
};
static_assert(DevModeLayout::kDisplayFrequency + 4 == DevModeLayout::kSize);
inline constexpr std::uint16_t kDevModeVersion = 0x0401;  // DM_SPECVERSION
// dmFields: bits per pixel, width, height, display frequency.
inline constexpr std::uint32_t kModeFields = 0x00040000u | 0x00080000u | 0x00100000u | 0x00400000u;

// The name, the description and the state flags of an adapter or monitor
// into its record; each text is cut to its field and always ends with a
// NUL. False (and nothing written) when the record is too short.
bool FillDisplayDevice(std::span<std::uint8_t> record, std::string_view name, std::string_view description,
                       std::uint32_t stateFlags);

struct ModeFields {
    std::uint32_t bitsPerPel = 0, width = 0, height = 0, frequency = 0;
};
// A mode into its record, with the version and the fields that say which
// numbers it holds. False (and nothing written) when the record is too short.
bool FillDevMode(std::span<std::uint8_t> record, const ModeFields& mode);

}  // namespace platform::display
