#include "platform/usb_services.h"

namespace platform {

// The plain area: no device list and no hubs.
usb::DeviceList UsbServices::SetupDiGetClassDevs(std::string_view, std::uint32_t) { return usb::kInvalidList; }
std::optional<usb::DeviceInstance> UsbServices::SetupDiEnumDeviceInfo(usb::DeviceList, std::uint32_t) {
    return std::nullopt;
}
std::optional<std::string> UsbServices::SetupDiGetDeviceRegistryProperty(usb::DeviceList, usb::DeviceInstance,
                                                                         std::uint32_t) {
    return std::nullopt;
}
void UsbServices::SetupDiDestroyDeviceInfoList(usb::DeviceList) {}
std::optional<usb::DeviceInstance> UsbServices::CM_Get_Parent(usb::DeviceInstance) { return std::nullopt; }
std::optional<std::string> UsbServices::CM_Get_Device_ID(usb::DeviceInstance) { return std::nullopt; }
usb::Handle UsbServices::CreateFile(std::string_view) { return usb::kInvalidHandle; }
std::optional<std::uint32_t> UsbServices::DeviceIoControl(usb::Handle, std::uint32_t, std::span<std::uint8_t>) {
    return std::nullopt;
}
void UsbServices::CloseHandle(usb::Handle) {}

}  // namespace platform
