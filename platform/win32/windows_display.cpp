// EnumDisplayDevicesA, EnumDisplaySettingsA and the screen's GetDeviceCaps:
// the system's records are the records of the machine interface, so their
// bytes are handed over as they are, as far as the caller's record reaches.

#include "platform/win32/windows_display.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win32/win32_api.h"

namespace platform::win32 {

namespace {

static_assert(offsetof(DISPLAY_DEVICEA, StateFlags) == display::DisplayDeviceLayout::kStateFlags);
static_assert(offsetof(DEVMODEA, dmDisplayFrequency) == display::DevModeLayout::kDisplayFrequency);

template <typename Record>
void CopyOut(const Record& record, std::span<std::uint8_t> out) {
    std::memcpy(out.data(), &record, std::min(out.size(), sizeof record));
}

}  // namespace

bool WindowsDisplay::EnumDisplayDevices(std::optional<std::string_view> device, std::uint32_t index,
                                        std::span<std::uint8_t> record) {
    if (record.size() < display::DisplayDeviceLayout::kSize) return false;
    DISPLAY_DEVICEA answer{};
    answer.cb = sizeof answer;
    const std::string name(device.value_or(""));
    if (!::EnumDisplayDevicesA(device ? name.c_str() : nullptr, index, &answer, 0)) return false;
    CopyOut(answer, record);
    return true;
}

bool WindowsDisplay::EnumDisplaySettings(std::optional<std::string_view> device, std::uint32_t mode,
                                         std::span<std::uint8_t> record) {
    if (record.size() < display::DevModeLayout::kSize) return false;
    DEVMODEA answer{};
    answer.dmSize = sizeof answer;
    const std::string name(device.value_or(""));
    if (!::EnumDisplaySettingsA(device ? name.c_str() : nullptr, mode, &answer)) return false;
    CopyOut(answer, record);
    return true;
}

display::DeviceContext WindowsDisplay::GetDC() {
    return static_cast<display::DeviceContext>(reinterpret_cast<std::intptr_t>(::GetDC(nullptr)));
}

int WindowsDisplay::GetDeviceCaps(display::DeviceContext dc, int index) {
    if (dc == 0) return 0;
    return ::GetDeviceCaps(reinterpret_cast<HDC>(static_cast<std::intptr_t>(dc)), index);
}

void WindowsDisplay::ReleaseDC(display::DeviceContext dc) {
    if (dc != 0) ::ReleaseDC(nullptr, reinterpret_cast<HDC>(static_cast<std::intptr_t>(dc)));
}

}  // namespace platform::win32
