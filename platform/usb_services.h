#pragma once
// USB devices the Windows way: the device-setup service lists the present
// devices of the USB device interface class, the configuration manager gives
// a device's parent (its hub), and the hub, opened by its interface path,
// answers requests about the device on each of its ports: the driver key
// name, and the device's descriptors. Requests and replies are the hub's
// records as bytes (usb_records.h); every operation refuses unless a
// backend answers it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/usb_records.h"

namespace platform {

namespace usb {
// The USB device interface class, and the hub interface class that ends a hub's path.
inline constexpr std::string_view kDeviceInterfaceClass = "{A5DCBF10-6530-11D2-901F-00C04FB951ED}";
inline constexpr std::string_view kHubInterfaceClass = "{f18a0e88-c30c-11d0-8815-00a0c906bed8}";
inline constexpr std::uint32_t kPresentInterfaces = 0x12;  // DIGCF_PRESENT | DIGCF_DEVICEINTERFACE

// Registry properties of a device (SetupDiGetDeviceRegistryProperty).
inline constexpr std::uint32_t kDeviceDescription = 0;  // SPDRP_DEVICEDESC
inline constexpr std::uint32_t kDriverKeyName = 9;      // SPDRP_DRIVER
inline constexpr std::size_t kPropertyBuffer = 256;

using DeviceList = std::int64_t;
inline constexpr DeviceList kInvalidList = -1;
using DeviceInstance = std::uint32_t;
using Handle = std::int64_t;
inline constexpr Handle kInvalidHandle = -1;

// Hub requests (DeviceIoControl codes).
inline constexpr std::uint32_t kGetNodeInformation = 0x00220408u;
inline constexpr std::uint32_t kGetNodeConnectionDriverKeyName = 0x00220420u;
inline constexpr std::uint32_t kGetDescriptorFromNodeConnection = 0x00220410u;
// Windows 8 and later: the speed the device on a port runs at, SuperSpeed included.
inline constexpr std::uint32_t kGetNodeConnectionInformationExV2 = 0x0022045Cu;
}  // namespace usb

class UsbServices {
public:
    virtual ~UsbServices() = default;

    // The present devices of an interface class, or kInvalidList.
    virtual usb::DeviceList SetupDiGetClassDevs(std::string_view interfaceClass, std::uint32_t flags);
    // The instance of member `index`; nothing past the last.
    virtual std::optional<usb::DeviceInstance> SetupDiEnumDeviceInfo(usb::DeviceList list, std::uint32_t index);
    // A text property in single-byte text, without its NUL.
    virtual std::optional<std::string> SetupDiGetDeviceRegistryProperty(usb::DeviceList list,
                                                                        usb::DeviceInstance device,
                                                                        std::uint32_t property);
    virtual void SetupDiDestroyDeviceInfoList(usb::DeviceList list);

    virtual std::optional<usb::DeviceInstance> CM_Get_Parent(usb::DeviceInstance device);
    // The instance ID ("USB\VID_2230&PID_0006\..." on Windows).
    virtual std::optional<std::string> CM_Get_Device_ID(usb::DeviceInstance device);

    // A hub's interface path: "\\.\" + its instance ID with "\" as "#" + "#" + kHubInterfaceClass.
    virtual usb::Handle CreateFile(std::string_view path);
    // The hub request `code` on a record that goes in and comes back in
    // `record`; the number of bytes returned, or nothing when refused.
    virtual std::optional<std::uint32_t> DeviceIoControl(usb::Handle hub, std::uint32_t code,
                                                         std::span<std::uint8_t> record);
    virtual void CloseHandle(usb::Handle hub);
};

}  // namespace platform
