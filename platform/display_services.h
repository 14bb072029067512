#pragma once
// Display adapters, their monitors and the display modes, the Windows way:
// adapters and monitors are enumerated into a display device record, modes
// into a display mode record, and the screen's current settings are read as
// device capabilities. The records travel as bytes in their Windows layout;
// every operation refuses unless a backend answers it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace platform {

namespace display {
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

using DeviceContext = std::int64_t;  // 0 is none
// GetDeviceCaps indexes.
inline constexpr int kHorzRes = 8;
inline constexpr int kVertRes = 10;
inline constexpr int kBitsPixel = 12;
inline constexpr int kPlanes = 14;
inline constexpr int kVRefresh = 116;
}  // namespace display

class DisplayServices {
public:
    virtual ~DisplayServices() = default;

    // Adapter `index` (no device name) or monitor `index` of the adapter named
    // `device`, into `record` (its cb field set by the caller). False when there is none.
    virtual bool EnumDisplayDevices(std::optional<std::string_view> device, std::uint32_t index,
                                    std::span<std::uint8_t> record);
    // Mode `mode` of the current display device (no device name) into `record`.
    virtual bool EnumDisplaySettings(std::optional<std::string_view> device, std::uint32_t mode,
                                     std::span<std::uint8_t> record);
    // The whole screen's device context (no window), and its capabilities.
    virtual display::DeviceContext GetDC();
    virtual int GetDeviceCaps(display::DeviceContext dc, int index);
    virtual void ReleaseDC(display::DeviceContext dc);
};

}  // namespace platform
