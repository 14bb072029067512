#pragma once
// The USB devices of a simulated machine (section "usb"): the device list in
// enumeration order, each device with its instance ID, its parent and port,
// its registry properties, and the descriptors its hub returns for it. A
// device with a port count is a hub that can be opened.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/sim_reader.h"
#include "platform/usb_services.h"

namespace platform::sim {

struct SimAreas;

class SimUsb final : public UsbServices {
public:
    struct Device {
        std::string id;                     // "USB\VID_046D&PID_C52B\5&2A&0&3"
        std::optional<std::string> parent;  // the parent's id
        std::uint32_t port = 0;             // on the parent
        std::optional<std::string> description;
        std::optional<std::string> driver;  // the driver key name
        std::uint32_t ports = 0;            // a hub's port count; 0 for no hub
        // What the hub returns for wValue (type * 256 + index).
        std::map<std::uint16_t, std::vector<std::uint8_t>> descriptors;
        // The ActualLength the hub reports with the driver key name (default: its size).
        std::optional<std::uint32_t> actualLength;
        // The speed flag of the hub's connection information; nothing: the
        // hub does not know that request.
        std::optional<bool> superSpeed;
    };

    bool present = true;  // false: the device list cannot be made
    std::vector<Device> devices;

    usb::DeviceList SetupDiGetClassDevs(std::string_view interfaceClass, std::uint32_t flags) override;
    std::optional<usb::DeviceInstance> SetupDiEnumDeviceInfo(usb::DeviceList list, std::uint32_t index) override;
    std::optional<std::string> SetupDiGetDeviceRegistryProperty(usb::DeviceList list, usb::DeviceInstance device,
                                                                std::uint32_t property) override;
    std::optional<usb::DeviceInstance> CM_Get_Parent(usb::DeviceInstance device) override;
    std::optional<std::string> CM_Get_Device_ID(usb::DeviceInstance device) override;
    usb::Handle CreateFile(std::string_view path) override;
    std::optional<std::uint32_t> DeviceIoControl(usb::Handle hub, std::uint32_t code,
                                                 std::span<std::uint8_t> record) override;

    // Every request a hub was asked, as (hub id, code, port), for tests.
    struct Asked {
        std::string hub;
        std::uint32_t code;
        std::uint32_t port;
    };
    std::vector<Asked> asked;

private:
    const Device* OnPort(const Device& hub, std::uint32_t port) const;
};

void ReadUsbSection(const Node& section, SimAreas& areas);

}  // namespace platform::sim
