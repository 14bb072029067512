#include "platform/display_services.h"

namespace platform {

// The plain area: no adapter, no mode, a screen with no capabilities.
bool DisplayServices::EnumDisplayDevices(std::optional<std::string_view>, std::uint32_t, std::span<std::uint8_t>) {
    return false;
}
bool DisplayServices::EnumDisplaySettings(std::optional<std::string_view>, std::uint32_t, std::span<std::uint8_t>) {
    return false;
}
display::DeviceContext DisplayServices::GetDC() { return 0; }
int DisplayServices::GetDeviceCaps(display::DeviceContext, int) { return 0; }
void DisplayServices::ReleaseDC(display::DeviceContext) {}

}  // namespace platform
