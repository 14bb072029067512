#pragma once
// USB devices of the Windows machine: the device-setup lists, the
// configuration manager's tree, and the hub requests.

#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "platform/usb_services.h"

namespace platform::win32 {

class WindowsUsb final : public UsbServices {
public:
    WindowsUsb() = default;
    // Lists and hubs the caller left open are given back with the machine.
    ~WindowsUsb() override;
    WindowsUsb(const WindowsUsb&) = delete;
    WindowsUsb& operator=(const WindowsUsb&) = delete;

    usb::DeviceList SetupDiGetClassDevs(std::string_view interfaceClass, std::uint32_t flags) override;
    std::optional<usb::DeviceInstance> SetupDiEnumDeviceInfo(usb::DeviceList list, std::uint32_t index) override;
    std::optional<std::string> SetupDiGetDeviceRegistryProperty(usb::DeviceList list, usb::DeviceInstance device,
                                                                std::uint32_t property) override;
    void SetupDiDestroyDeviceInfoList(usb::DeviceList list) override;
    std::optional<usb::DeviceInstance> CM_Get_Parent(usb::DeviceInstance device) override;
    std::optional<std::string> CM_Get_Device_ID(usb::DeviceInstance device) override;
    usb::Handle CreateFile(std::string_view path) override;
    std::optional<std::uint32_t> DeviceIoControl(usb::Handle hub, std::uint32_t code,
                                                 std::span<std::uint8_t> record) override;
    void CloseHandle(usb::Handle hub) override;

private:
    template <typename T>
    bool Holds(const std::set<T>& open, T value) {
        const std::lock_guard lock(mutex_);
        return open.contains(value);
    }

    std::mutex mutex_;
    std::set<usb::DeviceList> lists_;
    std::set<usb::Handle> hubs_;
};

}  // namespace platform::win32
