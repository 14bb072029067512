#pragma once
// Display adapters, monitors and modes of the Windows machine.

#include "platform/display_services.h"

namespace platform::win32 {

class WindowsDisplay final : public DisplayServices {
public:
    bool EnumDisplayDevices(std::optional<std::string_view> device, std::uint32_t index,
                            std::span<std::uint8_t> record) override;
    bool EnumDisplaySettings(std::optional<std::string_view> device, std::uint32_t mode,
                             std::span<std::uint8_t> record) override;
    display::DeviceContext GetDC() override;
    int GetDeviceCaps(display::DeviceContext dc, int index) override;
    void ReleaseDC(display::DeviceContext dc) override;
};

}  // namespace platform::win32
