// USB devices: the device list as enumerated, each device's properties and
// parent, and what its hub answered about the device on each port (driver
// key name, descriptors, speed). A port is tied to its device by the driver
// key name, as the collector ties them.
#include <algorithm>

#include "base/bytes.h"
#include "platform/recording/recording_areas.h"

namespace platform::recording {

namespace {

std::string HubPath(std::string id) {
    std::replace(id.begin(), id.end(), '\\', '#');
    return "\\\\.\\" + id + "#" + std::string(usb::kHubInterfaceClass);
}

// The key of a descriptor in the file: its own for the device, the
// configuration and the languages; "strings" by index for the others.
void KeepDescriptor(FileJson& fields, std::uint8_t type, std::uint8_t index, std::span<const std::uint8_t> bytes) {
    const char* key = type == usb::kDeviceDescriptorType          ? "device"
                      : type == usb::kConfigurationDescriptorType ? "configuration"
                      : type == usb::kStringDescriptorType && index == 0 ? "languages"
                                                                          : nullptr;
    // A longer answer to the same request (the whole configuration after its head) wins.
    if (key) {
        if (!fields.contains(key) || fields[key].get<std::string>().size() < HexPairs(bytes).size())
            fields[key] = HexPairs(bytes);
        return;
    }
    if (type != usb::kStringDescriptorType) return;
    FileJson& strings = fields["strings"];
    const std::string name = std::to_string(index);
    const std::wstring text = bytes.size() >= 2 ? base::DecodeUtf16Le(bytes.subspan(2)) : std::wstring();
    const base::Bytes again = usb::StringDescriptor(text);
    if (again.size() == bytes.size() && std::equal(again.begin(), again.end(), bytes.begin()))
        strings[name] = base::EncodeUtf8(text);
    else
        strings[name] = {{"hex", HexPairs(bytes)}};
}

}  // namespace

usb::DeviceList RecordingUsb::SetupDiGetClassDevs(std::string_view interfaceClass, std::uint32_t flags) {
    const usb::DeviceList list = real_.SetupDiGetClassDevs(interfaceClass, flags);
    if (interfaceClass == usb::kDeviceInterfaceClass) {
        listed_ = true;
        listFailed_ = list == usb::kInvalidList;
    }
    return list;
}

std::optional<usb::DeviceInstance> RecordingUsb::SetupDiEnumDeviceInfo(usb::DeviceList list, std::uint32_t index) {
    const auto instance = real_.SetupDiEnumDeviceInfo(list, index);
    if (!instance || std::find(order_.begin(), order_.end(), *instance) != order_.end()) return instance;
    order_.push_back(*instance);
    // The file names every listed device by its ID, parent and properties,
    // which the collector asks only of some: they are asked here for all.
    Device& device = Instance(*instance);
    device.id = real_.CM_Get_Device_ID(*instance);
    device.parent = real_.CM_Get_Parent(*instance);
    device.description = real_.SetupDiGetDeviceRegistryProperty(list, *instance, usb::kDeviceDescription);
    device.driver = real_.SetupDiGetDeviceRegistryProperty(list, *instance, usb::kDriverKeyName);
    return instance;
}

std::optional<std::string> RecordingUsb::SetupDiGetDeviceRegistryProperty(usb::DeviceList list,
                                                                          usb::DeviceInstance device,
                                                                          std::uint32_t property) {
    auto text = real_.SetupDiGetDeviceRegistryProperty(list, device, property);
    if (text && property == usb::kDeviceDescription) Instance(device).description = *text;
    if (text && property == usb::kDriverKeyName) Instance(device).driver = *text;
    return text;
}

std::optional<usb::DeviceInstance> RecordingUsb::CM_Get_Parent(usb::DeviceInstance device) {
    const auto parent = real_.CM_Get_Parent(device);
    if (parent) Instance(device).parent = *parent;
    return parent;
}

std::optional<std::string> RecordingUsb::CM_Get_Device_ID(usb::DeviceInstance device) {
    auto id = real_.CM_Get_Device_ID(device);
    if (id) Instance(device).id = *id;
    return id;
}

usb::Handle RecordingUsb::CreateFile(std::string_view path) {
    const usb::Handle hub = real_.CreateFile(path);
    if (hub == usb::kInvalidHandle) return hub;
    for (const auto& [instance, device] : devices_)
        if (device.id && HubPath(*device.id) == path) hubs_[hub] = *device.id;
    return hub;
}

std::optional<std::uint32_t> RecordingUsb::DeviceIoControl(usb::Handle hub, std::uint32_t code,
                                                           std::span<std::uint8_t> record) {
    const auto returned = real_.DeviceIoControl(hub, code, record);
    const auto open = hubs_.find(hub);
    if (returned && open != hubs_.end()) PortRequest(open->second, code, record, *returned);
    return returned;
}

void RecordingUsb::PortRequest(const std::string& hubId, std::uint32_t code, std::span<const std::uint8_t> record,
                               std::uint32_t returned) {
    if (code == usb::kGetNodeInformation) {
        if (record.size() > usb::NodeInformationLayout::kNumberOfPorts)
            hubPorts_[hubId] = record[usb::NodeInformationLayout::kNumberOfPorts];
        return;
    }
    const std::uint32_t number = base::ReadLe32(record, 0).value_or(0);
    Port& port = ports_[{hubId, number}];
    port.hubId = hubId;
    port.port = number;
    const auto reply = record.first(std::min<std::size_t>(returned, record.size()));
    if (code == usb::kGetNodeConnectionDriverKeyName) {
        using L = usb::DriverKeyNameLayout;
        const std::uint32_t actual = base::ReadLe32(record, L::kActualLength).value_or(0);
        std::wstring name = reply.size() > L::kName ? base::DecodeUtf16Le(reply.subspan(L::kName)) : std::wstring();
        const bool whole = name.find(L'\0') != std::wstring::npos;
        name = name.substr(0, name.find(L'\0'));
        // The full answer after the size query: the name and the length the hub claimed.
        if (whole && (!port.driverKey || port.driverKey->size() <= name.size())) {
            port.driverKey = name;
            port.actualLength = actual;
        }
        return;
    }
    if (code == usb::kGetDescriptorFromNodeConnection) {
        const auto request = usb::ReadDescriptorRequest(record);
        if (!request || reply.size() < usb::DescriptorRequestLayout::kData) return;
        KeepDescriptor(port.fields, request->type, request->index, reply.subspan(usb::DescriptorRequestLayout::kData));
        return;
    }
    if (code == usb::kGetNodeConnectionInformationExV2 && reply.size() >= usb::ConnectionInformationV2Layout::kSize) {
        const std::uint32_t flags = base::ReadLe32(record, usb::ConnectionInformationV2Layout::kFlags).value_or(0);
        port.fields["superspeed"] = (flags & usb::ConnectionInformationV2Layout::kOperatingAtSuperSpeedOrHigher) != 0;
    }
}

void RecordingUsb::CloseHandle(usb::Handle hub) {
    hubs_.erase(hub);
    real_.CloseHandle(hub);
}

void RecordingUsb::Finish() {
    if (!listed_) return;
    if (listFailed_) {
        record_.file["usb"]["devices"] = nullptr;
        return;
    }
    FileJson devices = FileJson::array();
    for (const usb::DeviceInstance instance : order_) {
        Device& d = devices_[instance];
        FileJson entry = {{"id", d.id.value_or("")}};
        if (d.parent && devices_.count(*d.parent) && devices_[*d.parent].id) entry["parent"] = *devices_[*d.parent].id;
        if (d.driver) entry["driver"] = record_.Text(*d.driver);
        if (d.description) entry["description"] = record_.Text(*d.description);
        if (d.id && hubPorts_.count(*d.id)) entry["ports"] = hubPorts_[*d.id];
        const std::wstring driver = d.driver ? base::DecodeText(record_.codePage, *d.driver) : std::wstring();
        for (auto& [where, port] : ports_) {
            if (!port.driverKey || !d.driver || *port.driverKey != driver) continue;
            entry["parent"] = port.hubId;
            entry["port"] = port.port;
            const auto usual = static_cast<std::uint32_t>(usb::DriverKeyNameLayout::kHeader + 2 * driver.size());
            if (port.actualLength && *port.actualLength != usual) entry["actual_length"] = *port.actualLength;
            entry.update(port.fields);
        }
        devices.push_back(entry);
    }
    // A hub that is only a parent (a root hub is no member of the USB device
    // class on Windows) is listed after the members, without a parent, so
    // it can be opened: listed, it adds no device, as it has no hub above it.
    std::set<std::string> listed;
    for (const auto& device : devices) listed.insert(device["id"].get<std::string>());
    for (const auto& [id, ports] : hubPorts_)
        if (listed.insert(id).second) devices.push_back({{"id", id}, {"ports", ports}});
    record_.file["usb"]["devices"] = devices;
}

}  // namespace platform::recording
