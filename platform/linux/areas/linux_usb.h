#pragma once
// USB devices on Linux, answered from sysfs alone (usb_sysfs.h): the device
// list is every device of /sys/bus/usb/devices, a device's instance ID is
// "USB\" and its sysfs name, its parent is its hub, and a hub answers the
// port requests from what the kernel cached of the device on that port. No
// request reaches a device.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/areas/id_databases.h"
#include "platform/linux/areas/linux_context.h"
#include "platform/linux/io/root_fs.h"
#include "platform/usb_services.h"

namespace platform::linux_backend {

class LinuxUsb final : public UsbServices {
public:
    explicit LinuxUsb(LinuxContext& context) : fs_(context.fs), ids_(context.Ids()) {}

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

    static constexpr std::string_view kInstancePrefix = "USB\\";

private:
    struct Device {
        std::string name;                 // sysfs name: "usb1", "1-1.5"
        std::optional<std::string> descriptors;  // the cached descriptors file, read once
        bool descriptorsRead = false;
        std::optional<std::optional<std::uint32_t>> ports;  // a hub's port count, read once
    };

    const std::vector<Device>& Devices();
    Device* Find(std::string_view name);
    Device* At(usb::DeviceInstance instance);
    const std::string* Descriptors(Device& device);
    std::optional<std::string> Description(Device& device);
    std::optional<std::uint32_t> PortCount(Device& hub);
    Device* OnPort(Device& hub, std::uint32_t port);
    std::optional<std::uint32_t> NodeInformation(Device& hub, std::span<std::uint8_t> record);
    std::optional<std::uint32_t> DriverKeyName(Device& hub, std::span<std::uint8_t> record);
    std::optional<std::uint32_t> Descriptor(Device& hub, std::span<std::uint8_t> record);
    std::optional<std::uint32_t> ConnectionSpeed(Device& hub, std::span<std::uint8_t> record);

    const RootFs& fs_;
    IdDatabases& ids_;
    std::optional<std::vector<Device>> devices_;
    std::map<usb::Handle, usb::DeviceInstance> openHubs_;
    usb::Handle nextHandle_ = 1;
};

}  // namespace platform::linux_backend
