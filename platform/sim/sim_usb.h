#pragma once
// The USB devices of a simulated machine (section "usb"): the device list in
// enumeration order, each device with its instance ID, its parent and port,
// its registry properties, and the descriptors its hub returns for it. A
// device with a port count is a hub that can be opened.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/codepage.h"
#include "platform/sim/request_log.h"
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
    // Fixed once the index is made (MakeIndex, or the first request): the
    // requests find devices through it.
    std::vector<Device> devices;
    base::CodePage codePage = base::CodePage::kWindows1252;  // of the devices' texts

    usb::DeviceList SetupDiGetClassDevs(std::string_view interfaceClass, std::uint32_t flags) override;
    std::optional<usb::DeviceInstance> SetupDiEnumDeviceInfo(usb::DeviceList list, std::uint32_t index) override;
    std::optional<std::string> SetupDiGetDeviceRegistryProperty(usb::DeviceList list, usb::DeviceInstance device,
                                                                std::uint32_t property) override;
    std::optional<usb::DeviceInstance> CM_Get_Parent(usb::DeviceInstance device) override;
    std::optional<std::string> CM_Get_Device_ID(usb::DeviceInstance device) override;
    usb::Handle CreateFile(std::string_view path) override;
    std::optional<std::uint32_t> DeviceIoControl(usb::Handle hub, std::uint32_t code,
                                                 std::span<std::uint8_t> record) override;

    // The requests hubs were asked, as (hub id, code, port), for tests: the
    // latest ones (request_log.h). The hub's id is a view of the device
    // list, which is fixed once the first request was made.
    struct Asked {
        std::string_view hub;
        std::uint32_t code;
        std::uint32_t port;
    };
    RequestLog<Asked> asked;

    // Indexes the device list, once: a machine file's section does this as
    // soon as it is read, so that the requests only look up.
    void MakeIndex() { Indexed(); }

    // How many device entries the requests looked through, for tests: each
    // device once, when the index is made.
    std::size_t EntriesVisited() const { return visited_; }

private:
    // Sorted lists of device numbers, searched by halving: made once, with
    // no allocation per device, and the ids are never copied.
    struct PortEntry {
        std::uint32_t hub;  // the first device with the parent's id
        std::uint32_t port;
        std::uint32_t device;
    };
    struct Index {
        std::vector<std::uint32_t> byId;     // every device, by id; the first of equal ids first
        std::vector<std::uint32_t> firstOf;  // for each device, the first device with its id
        std::vector<std::uint32_t> hubs;     // the hubs, by id as their interface path spells it
        std::vector<PortEntry> ports;        // by hub, then port; the first device on a port first
    };
    const Index& Indexed();
    std::optional<std::uint32_t> FirstWithId(std::string_view id);
    const Device* OnPort(const Device& hub, std::uint32_t port);

    std::optional<Index> index_;
    std::size_t visited_ = 0;
};

void ReadUsbSection(const Node& section, SimAreas& areas);

}  // namespace platform::sim
