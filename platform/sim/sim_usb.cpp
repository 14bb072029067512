#include "platform/sim/sim_usb.h"

#include <algorithm>

#include "base/bytes.h"
#include "base/codepage.h"
#include "platform/sim/sim_areas.h"
#include "platform/sim/sim_text.h"
#include "platform/sim/sim_drives_reader.h"  // HexBytes: device replies written as hex pairs

namespace platform::sim {

namespace {

constexpr usb::DeviceList kTheList = 1;
constexpr std::uint64_t kMax32 = 0xFFFFFFFFu;

SimUsb::Device ReadDevice(const Node& n, base::CodePage page) {
    n.OnlyKeys({"id", "parent", "port", "description", "driver", "ports", "device", "configuration", "languages",
                "strings", "actual_length", "superspeed"});
    SimUsb::Device d;
    d.id = n.Text("id", "");
    if (d.id.empty()) n.Fail("a device needs its \"id\"");
    if (const auto p = n.Member("parent")) d.parent = p->Text();
    d.port = static_cast<std::uint32_t>(n.Unsigned("port", kMax32, 0));
    if (const auto t = n.Member("description")) d.description = MachineText(*t, page);
    if (const auto t = n.Member("driver")) d.driver = MachineText(*t, page);
    d.ports = static_cast<std::uint32_t>(n.Unsigned("ports", 255, 0));
    if (const auto a = n.Member("actual_length")) d.actualLength = static_cast<std::uint32_t>(a->Unsigned(kMax32));
    if (const auto s = n.Member("superspeed")) d.superSpeed = s->Boolean();
    const auto descriptor = [&](const char* key, std::uint8_t type) {
        if (const auto b = n.Member(key)) d.descriptors[usb::DescriptorValue(type, 0)] = HexBytes(*b);
    };
    descriptor("device", usb::kDeviceDescriptorType);
    descriptor("configuration", usb::kConfigurationDescriptorType);
    descriptor("languages", usb::kStringDescriptorType);
    if (const auto strings = n.Member("strings")) {
        if (!strings->IsObject()) strings->Fail("expected an object of strings by index");
        for (const auto& [name, s] : strings->Members()) {
            const auto index = name.Unsigned(255);
            const auto value = usb::DescriptorValue(usb::kStringDescriptorType, static_cast<std::uint8_t>(index));
            // Text, or {"hex": ...} for the exact bytes a device sends.
            if (s.IsObject()) {
                s.OnlyKeys({"hex"});
                d.descriptors[value] = HexBytes(*s.Member("hex"));
            } else {
                d.descriptors[value] = usb::StringDescriptor(base::DecodeUtf8(s.Text()));
            }
        }
    }
    return d;
}

}  // namespace

void ReadUsbSection(const Node& section, SimAreas& areas) {
    SimUsb& usb = areas.usb;
    usb.codePage = areas.codePage;
    section.OnlyKeys({"devices"});
    const auto devices = section.Member("devices");
    if (!devices) return;
    if (devices->IsNull()) {
        usb.present = false;  // the device list cannot be made
        return;
    }
    for (std::size_t i = 0; i < devices->Size(); ++i) usb.devices.push_back(ReadDevice(devices->Element(i), areas.codePage));
    usb.MakeIndex();
}

usb::DeviceList SimUsb::SetupDiGetClassDevs(std::string_view interfaceClass, std::uint32_t) {
    return present && interfaceClass == usb::kDeviceInterfaceClass ? kTheList : usb::kInvalidList;
}

std::optional<usb::DeviceInstance> SimUsb::SetupDiEnumDeviceInfo(usb::DeviceList list, std::uint32_t index) {
    if (list != kTheList || index >= devices.size()) return std::nullopt;
    return index + 1;
}

std::optional<std::string> SimUsb::SetupDiGetDeviceRegistryProperty(usb::DeviceList list, usb::DeviceInstance device,
                                                                    std::uint32_t property) {
    if (list != kTheList || device == 0 || device > devices.size()) return std::nullopt;
    const Device& d = devices[device - 1];
    if (property == usb::kDeviceDescription) return d.description;
    if (property == usb::kDriverKeyName) return d.driver;
    return std::nullopt;
}

const SimUsb::Index& SimUsb::Indexed() {
    if (index_) return *index_;
    Index& index = index_.emplace();
    for (std::size_t i = 0; i < devices.size(); ++i) {
        ++visited_;
        const Device& d = devices[i];
        index.byId.emplace(d.id, i);
        if (d.parent) index.byParent[*d.parent].emplace(d.port, i);
        if (d.ports > 0) {
            std::string id = d.id;
            std::replace(id.begin(), id.end(), '\\', '#');
            index.hubByPath.emplace("\\\\.\\" + id + "#" + std::string(usb::kHubInterfaceClass), i);
        }
    }
    index.portsOf.reserve(devices.size());
    index.driverKeys.reserve(devices.size());
    for (const Device& d : devices) {
        const auto ports = index.byParent.find(d.id);
        index.portsOf.push_back(ports == index.byParent.end() ? nullptr : &ports->second);
        index.driverKeys.push_back(d.driver ? base::DecodeText(codePage, *d.driver) : std::wstring());
    }
    return index;
}

std::optional<usb::DeviceInstance> SimUsb::CM_Get_Parent(usb::DeviceInstance device) {
    if (device == 0 || device > devices.size() || !devices[device - 1].parent) return std::nullopt;
    const auto& byId = Indexed().byId;
    const auto parent = byId.find(*devices[device - 1].parent);
    if (parent == byId.end()) return std::nullopt;
    return static_cast<usb::DeviceInstance>(parent->second + 1);
}

std::optional<std::string> SimUsb::CM_Get_Device_ID(usb::DeviceInstance device) {
    if (device == 0 || device > devices.size()) return std::nullopt;
    return devices[device - 1].id;
}

usb::Handle SimUsb::CreateFile(std::string_view path) {
    const auto& hubs = Indexed().hubByPath;
    const auto hub = hubs.find(std::string(path));
    return hub == hubs.end() ? usb::kInvalidHandle : static_cast<usb::Handle>(hub->second + 1);
}

const SimUsb::Device* SimUsb::OnPort(const Device& hub, std::uint32_t port) {
    const auto* ports = Indexed().portsOf[static_cast<std::size_t>(&hub - devices.data())];
    if (!ports) return nullptr;
    const auto found = ports->find(port);
    return found == ports->end() ? nullptr : &devices[found->second];
}

std::optional<std::uint32_t> SimUsb::DeviceIoControl(usb::Handle handle, std::uint32_t code,
                                                     std::span<std::uint8_t> record) {
    // Every port request begins with the same 12-byte head: the port first.
    using Head = usb::DriverKeyNameLayout;
    static_assert(Head::kHeader == usb::DescriptorRequestLayout::kData);
    if (handle < 1 || static_cast<std::size_t>(handle) > devices.size() || record.size() < Head::kHeader)
        return std::nullopt;
    const Device& hub = devices[static_cast<std::size_t>(handle) - 1];
    const std::uint32_t port = code == usb::kGetNodeInformation ? 0 : *base::ReadLe32(record, Head::kConnectionIndex);
    asked.Add({hub.id, code, port});
    if (code == usb::kGetNodeInformation) {
        record[usb::NodeInformationLayout::kNumberOfPorts] = static_cast<std::uint8_t>(hub.ports);
        return static_cast<std::uint32_t>(usb::NodeInformationLayout::kSize);
    }
    const Device* device = OnPort(hub, port);
    if (!device) return std::nullopt;
    if (code == usb::kGetNodeConnectionDriverKeyName) {
        using usb::DriverKeyNameLayout;
        if (!device->driver) return std::nullopt;
        const std::wstring& name = Indexed().driverKeys[static_cast<std::size_t>(device - devices.data())];
        const auto actual =
            device->actualLength.value_or(static_cast<std::uint32_t>(DriverKeyNameLayout::kHeader + 2 * name.size()));
        return static_cast<std::uint32_t>(usb::PutDriverKeyName(record, name, actual));
    }
    if (code == usb::kGetDescriptorFromNodeConnection) {
        const auto request = usb::ReadDescriptorRequest(record);
        const auto found = device->descriptors.find(usb::DescriptorValue(request->type, request->index));
        if (found == device->descriptors.end()) return std::nullopt;
        return usb::PutDescriptorReply(record, found->second, request->length);
    }
    if (code == usb::kGetNodeConnectionInformationExV2) {
        using usb::ConnectionInformationV2Layout;
        if (!device->superSpeed || record.size() < ConnectionInformationV2Layout::kSize) return std::nullopt;
        const std::uint32_t flags = *device->superSpeed
                                        ? ConnectionInformationV2Layout::kOperatingAtSuperSpeedOrHigher |
                                              ConnectionInformationV2Layout::kSuperSpeedCapableOrHigher
                                        : 0;
        base::WriteLe32(record, ConnectionInformationV2Layout::kFlags, flags);
        return static_cast<std::uint32_t>(ConnectionInformationV2Layout::kSize);
    }
    return std::nullopt;
}

}  // namespace platform::sim
