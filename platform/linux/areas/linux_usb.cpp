#include "platform/linux/areas/linux_usb.h"

#include <algorithm>
#include <strings.h>

#include "base/bytes.h"
#include "base/codepage.h"
#include "platform/linux/parsers/text_fields.h"
#include "platform/linux/parsers/usb_sysfs.h"

namespace platform::linux_backend {

namespace {

constexpr usb::DeviceList kTheList = 1;
constexpr std::uint8_t kClassPerInterface = 0;  // the class is given by each interface instead

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// Bus, then the port path, root hubs first: "usb1", "1-1", "1-1.2", "1-1.10", "1-2", "usb2"...
std::vector<std::uint32_t> SortKey(const std::string& name) {
    std::vector<std::uint32_t> key;
    if (IsUsbRootHub(name)) return {static_cast<std::uint32_t>(*ParseDecimal(name.substr(3)))};
    const auto dash = name.find('-');
    key.push_back(static_cast<std::uint32_t>(*ParseDecimal(name.substr(0, dash))));
    for (const auto port : Split(std::string_view(name).substr(dash + 1), '.'))
        key.push_back(static_cast<std::uint32_t>(*ParseDecimal(port)));
    return key;
}

}  // namespace

const std::vector<LinuxUsb::Device>& LinuxUsb::Devices() {
    if (devices_) return *devices_;
    devices_.emplace();
    if (const auto entries = fs_.ListDirectory(kUsbDevices)) {
        for (const auto& entry : *entries)
            if (entry.isDirectory && (IsUsbRootHub(entry.name) || UsbPlaceOf(entry.name)))
                devices_->push_back({entry.name, std::nullopt, false, std::nullopt});
    }
    std::sort(devices_->begin(), devices_->end(),
              [](const Device& a, const Device& b) { return SortKey(a.name) < SortKey(b.name); });
    return *devices_;
}

LinuxUsb::Device* LinuxUsb::Find(std::string_view name) {
    Devices();
    for (auto& device : *devices_)
        if (device.name == name) return &device;
    return nullptr;
}

LinuxUsb::Device* LinuxUsb::At(usb::DeviceInstance instance) {
    const auto& devices = Devices();
    if (instance == 0 || instance > devices.size()) return nullptr;
    return &(*devices_)[instance - 1];
}

const std::string* LinuxUsb::Descriptors(Device& device) {
    if (!device.descriptorsRead) {
        device.descriptorsRead = true;
        device.descriptors = fs_.ReadFile(std::string(kUsbDevices) + "/" + device.name + "/descriptors");
    }
    return device.descriptors ? &*device.descriptors : nullptr;
}

usb::DeviceList LinuxUsb::SetupDiGetClassDevs(std::string_view interfaceClass, std::uint32_t) {
    return SameText(interfaceClass, usb::kDeviceInterfaceClass) ? kTheList : usb::kInvalidList;
}

std::optional<usb::DeviceInstance> LinuxUsb::SetupDiEnumDeviceInfo(usb::DeviceList list, std::uint32_t index) {
    if (list != kTheList || index >= Devices().size()) return std::nullopt;
    return index + 1;
}

std::optional<std::string> LinuxUsb::Description(Device& device) {
    const std::string* file = Descriptors(device);
    const auto cached = file ? SplitCachedDescriptors(*file) : std::nullopt;
    if (!cached) return std::nullopt;
    // The name comes from the IDs the device descriptor holds, as Windows
    // finds its description through them.
    using usb::DeviceDescriptorLayout;
    const auto& d = cached->device;
    if (auto name = ids_.UsbName(*base::ReadLe16(d, DeviceDescriptorLayout::kVendor),
                                 *base::ReadLe16(d, DeviceDescriptorLayout::kProduct)))
        return name;
    if (d[DeviceDescriptorLayout::kClass] != kClassPerInterface)
        return ids_.UsbClassName(d[DeviceDescriptorLayout::kClass]);
    return std::nullopt;
}

std::optional<std::string> LinuxUsb::SetupDiGetDeviceRegistryProperty(usb::DeviceList list, usb::DeviceInstance instance,
                                                                      std::uint32_t property) {
    Device* device = list == kTheList ? At(instance) : nullptr;
    if (!device) return std::nullopt;
    if (property == usb::kDriverKeyName) return device->name;
    if (property == usb::kDeviceDescription) {
        const auto name = Description(*device);
        // No name is an empty description, as a device without an entry has.
        return name.value_or("");
    }
    return std::nullopt;
}

void LinuxUsb::SetupDiDestroyDeviceInfoList(usb::DeviceList) {}

std::optional<usb::DeviceInstance> LinuxUsb::CM_Get_Parent(usb::DeviceInstance instance) {
    // A root hub's parent is the host controller, which is no USB device.
    const Device* device = At(instance);
    const auto place = device ? UsbPlaceOf(device->name) : std::nullopt;
    if (!place) return std::nullopt;
    const auto& devices = Devices();
    for (std::size_t i = 0; i < devices.size(); ++i)
        if (devices[i].name == place->parent) return static_cast<usb::DeviceInstance>(i + 1);
    return std::nullopt;
}

std::optional<std::string> LinuxUsb::CM_Get_Device_ID(usb::DeviceInstance instance) {
    const Device* device = At(instance);
    if (!device) return std::nullopt;
    return std::string(kInstancePrefix) + device->name;
}

std::optional<std::uint32_t> LinuxUsb::PortCount(Device& hub) {
    if (!hub.ports) {
        const auto text = fs_.ReadFile(std::string(kUsbDevices) + "/" + hub.name + "/maxchild");
        const auto value = text ? AttributeValue(*text) : std::nullopt;
        const auto count = value ? ParseDecimal(*value) : std::nullopt;
        hub.ports.emplace();
        if (count && *count > 0 && *count <= UINT8_MAX) *hub.ports = static_cast<std::uint32_t>(*count);
    }
    return *hub.ports;  // nothing: not a hub
}

usb::Handle LinuxUsb::CreateFile(std::string_view path) {
    // "\\.\USB#<name>#{hub interface class}"
    constexpr std::string_view kDevicePrefix = "\\\\.\\USB#";
    const std::string suffix = "#" + std::string(usb::kHubInterfaceClass);
    if (path.size() <= kDevicePrefix.size() + suffix.size() || !SameText(path.substr(0, kDevicePrefix.size()), kDevicePrefix) ||
        !SameText(path.substr(path.size() - suffix.size()), suffix))
        return usb::kInvalidHandle;
    const auto name = path.substr(kDevicePrefix.size(), path.size() - kDevicePrefix.size() - suffix.size());
    Device* hub = Find(name);
    if (!hub || !PortCount(*hub)) return usb::kInvalidHandle;
    const usb::Handle handle = nextHandle_++;
    openHubs_[handle] = static_cast<usb::DeviceInstance>(hub - devices_->data() + 1);
    return handle;
}

void LinuxUsb::CloseHandle(usb::Handle hub) { openHubs_.erase(hub); }

LinuxUsb::Device* LinuxUsb::OnPort(Device& hub, std::uint32_t port) {
    if (port == 0) return nullptr;
    if (const auto ports = PortCount(hub); !ports || port > *ports) return nullptr;
    std::string child = IsUsbRootHub(hub.name) ? hub.name.substr(3) + "-" : hub.name + ".";
    return Find(child + std::to_string(port));
}

std::optional<std::uint32_t> LinuxUsb::DeviceIoControl(usb::Handle handle, std::uint32_t code,
                                                       std::span<std::uint8_t> record) {
    const auto open = openHubs_.find(handle);
    if (open == openHubs_.end()) return std::nullopt;
    Device& hub = (*devices_)[open->second - 1];
    switch (code) {
    case usb::kGetNodeInformation: return NodeInformation(hub, record);
    case usb::kGetNodeConnectionDriverKeyName: return DriverKeyName(hub, record);
    case usb::kGetDescriptorFromNodeConnection: return Descriptor(hub, record);
    case usb::kGetNodeConnectionInformationExV2: return ConnectionSpeed(hub, record);
    default: return std::nullopt;
    }
}

std::optional<std::uint32_t> LinuxUsb::NodeInformation(Device& hub, std::span<std::uint8_t> record) {
    using usb::NodeInformationLayout;
    const auto ports = PortCount(hub);
    if (!ports || record.size() < NodeInformationLayout::kSize) return std::nullopt;
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    record[NodeInformationLayout::kDescriptorLength] = NodeInformationLayout::kHubDescriptorLength;
    record[NodeInformationLayout::kDescriptorType] = usb::kHubDescriptorType;
    record[NodeInformationLayout::kNumberOfPorts] = static_cast<std::uint8_t>(*ports);
    return static_cast<std::uint32_t>(NodeInformationLayout::kSize);
}

std::optional<std::uint32_t> LinuxUsb::DriverKeyName(Device& hub, std::span<std::uint8_t> record) {
    using usb::DriverKeyNameLayout;
    if (record.size() < DriverKeyNameLayout::kHeader) return std::nullopt;
    const Device* device = OnPort(hub, *base::ReadLe32(record, DriverKeyNameLayout::kConnectionIndex));
    if (!device) return std::nullopt;  // an empty port
    // The name with its NUL; ActualLength counts the header and the name
    // without the NUL, so that ActualLength - 12 is the name exactly. Sysfs
    // names are ASCII.
    const std::wstring name(device->name.begin(), device->name.end());
    const std::size_t nameBytes = 2 * name.size();
    if (DriverKeyNameLayout::kName + nameBytes + 2 > record.size()) return std::nullopt;
    return static_cast<std::uint32_t>(
        usb::PutDriverKeyName(record, name, static_cast<std::uint32_t>(DriverKeyNameLayout::kHeader + nameBytes)));
}

std::optional<std::uint32_t> LinuxUsb::Descriptor(Device& hub, std::span<std::uint8_t> record) {
    using DeviceLayout = usb::DeviceDescriptorLayout;
    const auto request = usb::ReadDescriptorRequest(record);
    if (!request) return std::nullopt;
    Device* device = OnPort(hub, request->port);
    if (!device || request->requestType != usb::kDeviceToHost || request->request != usb::kGetDescriptor)
        return std::nullopt;
    const std::string* file = Descriptors(*device);
    const auto cached = file ? SplitCachedDescriptors(*file) : std::nullopt;
    if (!cached) return std::nullopt;
    const std::uint8_t type = request->type;
    const std::uint8_t index = request->index;

    Bytes reply;
    if (type == usb::kDeviceDescriptorType && index == 0) {
        reply = cached->device;
    } else if (type == usb::kConfigurationDescriptorType && index == 0 && cached->configuration) {
        // The whole cached configuration (interfaces and endpoints) as the device sends it.
        const auto bytes = base::BytesOf(*file);
        reply.assign(bytes.begin() + DeviceLayout::kSize, bytes.end());
    } else if (type == usb::kStringDescriptorType && index == 0) {
        reply = LanguageListDescriptor(kUsbLanguageEnglishUs);
    } else if (type == usb::kStringDescriptorType) {
        // Only the three strings the kernel reads at enumeration are known.
        const char* attribute = nullptr;
        if (index == cached->device[DeviceLayout::kManufacturerIndex]) attribute = "manufacturer";
        else if (index == cached->device[DeviceLayout::kProductIndex]) attribute = "product";
        else if (index == cached->device[DeviceLayout::kSerialNumberIndex]) attribute = "serial";
        if (!attribute) return std::nullopt;
        const auto text = fs_.ReadFile(std::string(kUsbDevices) + "/" + device->name + "/" + attribute);
        if (!text) return std::nullopt;
        reply = EncodeStringDescriptor(*text);
    } else {
        return std::nullopt;
    }
    return usb::PutDescriptorReply(record, reply, request->length);
}

// The device's `speed` in Mbit/s ("1.5", "12", "480", "5000", "10000", ...):
// 5000 and above is SuperSpeed.
std::optional<std::uint32_t> LinuxUsb::ConnectionSpeed(Device& hub, std::span<std::uint8_t> record) {
    using usb::ConnectionInformationV2Layout;
    if (record.size() < ConnectionInformationV2Layout::kSize) return std::nullopt;
    const Device* device = OnPort(hub, *base::ReadLe32(record, ConnectionInformationV2Layout::kConnectionIndex));
    if (!device) return std::nullopt;
    const auto text = fs_.ReadFile(std::string(kUsbDevices) + "/" + device->name + "/speed");
    if (!text) return std::nullopt;
    const std::string_view speed = Trim(*text);
    // "1.5" (low speed) is the one speed that is not a whole number.
    const auto mbits = speed == "1.5" ? std::optional<std::uint64_t>(1) : ParseDecimal(speed);
    if (!mbits) return std::nullopt;
    constexpr std::uint64_t kSuperSpeedMbits = 5000;
    const std::uint32_t flags = *mbits >= kSuperSpeedMbits
                                    ? ConnectionInformationV2Layout::kOperatingAtSuperSpeedOrHigher |
                                          ConnectionInformationV2Layout::kSuperSpeedCapableOrHigher
                                    : 0;
    base::WriteLe32(record, ConnectionInformationV2Layout::kFlags, flags);
    return static_cast<std::uint32_t>(ConnectionInformationV2Layout::kSize);
}

}  // namespace platform::linux_backend
