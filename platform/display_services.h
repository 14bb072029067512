#pragma once
// Display adapters, their monitors and the display modes, the Windows way:
// adapters and monitors are enumerated into a display device record, modes
// into a display mode record, and the screen's current settings are read as
// device capabilities. The records travel as bytes in their Windows layout
// (display_records.h); every operation refuses unless a backend answers it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/display_records.h"

namespace platform {

namespace display {
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
