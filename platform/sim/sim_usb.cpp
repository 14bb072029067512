#include "platform/sim/sim_usb.h"

#include <algorithm>
#include <tuple>

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
    usb.devices.reserve(devices->Size());
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

namespace {

// A hub's interface path spells its id with every "\" as "#".
char AsInPath(char c) { return c == '\\' ? '#' : c; }

// Whether `id`, spelt as in a path, comes before `spelt`; `spelt` is taken as it is.
bool IdBeforeInPath(std::string_view id, std::string_view spelt) {
    const std::size_t common = std::min(id.size(), spelt.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto a = static_cast<unsigned char>(AsInPath(id[i]));
        const auto b = static_cast<unsigned char>(spelt[i]);
        if (a != b) return a < b;
    }
    return id.size() < spelt.size();
}

bool IdSpeltAs(std::string_view id, std::string_view spelt) {
    return id.size() == spelt.size() &&
           std::equal(id.begin(), id.end(), spelt.begin(), [](char a, char b) { return AsInPath(a) == b; });
}

}  // namespace

const SimUsb::Index& SimUsb::Indexed() {
    if (index_) return *index_;
    Index& index = index_.emplace();
    const auto count = static_cast<std::uint32_t>(devices.size());
    index.byId.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        ++visited_;
        index.byId.push_back(i);
        if (devices[i].ports > 0) index.hubs.push_back(i);
    }
    const auto idOf = [this](std::uint32_t i) -> std::string_view { return devices[i].id; };
    std::stable_sort(index.byId.begin(), index.byId.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return idOf(a) < idOf(b); });
    index.firstOf.resize(count);
    for (std::uint32_t at = 0, first = 0; at < count; ++at) {
        if (at == 0 || idOf(index.byId[at]) != idOf(index.byId[at - 1])) first = index.byId[at];
        index.firstOf[index.byId[at]] = first;
    }
    // Ids that differ only in "\" against "#" share a path: the first hub has it.
    std::stable_sort(index.hubs.begin(), index.hubs.end(), [&](std::uint32_t a, std::uint32_t b) {
        const std::string_view x = idOf(a), y = idOf(b);
        return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), [](char c, char d) {
            return static_cast<unsigned char>(AsInPath(c)) < static_cast<unsigned char>(AsInPath(d));
        });
    });
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!devices[i].parent) continue;
        if (const auto hub = FirstWithId(*devices[i].parent)) index.ports.push_back({*hub, devices[i].port, i});
    }
    std::sort(index.ports.begin(), index.ports.end(), [](const PortEntry& a, const PortEntry& b) {
        return std::tie(a.hub, a.port, a.device) < std::tie(b.hub, b.port, b.device);
    });
    return index;
}

// The first device of the list with `id`, by halving the list sorted by id.
std::optional<std::uint32_t> SimUsb::FirstWithId(std::string_view id) {
    const auto& byId = index_->byId;
    const auto found = std::lower_bound(byId.begin(), byId.end(), id,
                                        [this](std::uint32_t i, std::string_view wanted) { return devices[i].id < wanted; });
    if (found == byId.end() || devices[*found].id != id) return std::nullopt;
    return *found;
}

std::optional<usb::DeviceInstance> SimUsb::CM_Get_Parent(usb::DeviceInstance device) {
    if (device == 0 || device > devices.size() || !devices[device - 1].parent) return std::nullopt;
    Indexed();
    const auto parent = FirstWithId(*devices[device - 1].parent);
    if (!parent) return std::nullopt;
    return static_cast<usb::DeviceInstance>(*parent + 1);
}

std::optional<std::string> SimUsb::CM_Get_Device_ID(usb::DeviceInstance device) {
    if (device == 0 || device > devices.size()) return std::nullopt;
    return devices[device - 1].id;
}

// "\\.\" + the hub's id with every "\" as "#" + "#" + the hub interface class.
usb::Handle SimUsb::CreateFile(std::string_view path) {
    constexpr std::string_view kPrefix = "\\\\.\\";
    const std::string suffix = "#" + std::string(usb::kHubInterfaceClass);
    if (path.size() < kPrefix.size() + suffix.size() || !path.starts_with(kPrefix) || !path.ends_with(suffix))
        return usb::kInvalidHandle;
    const std::string_view spelt = path.substr(kPrefix.size(), path.size() - kPrefix.size() - suffix.size());
    const auto& hubs = Indexed().hubs;
    const auto hub = std::lower_bound(hubs.begin(), hubs.end(), spelt, [this](std::uint32_t i, std::string_view wanted) {
        return IdBeforeInPath(devices[i].id, wanted);
    });
    if (hub == hubs.end() || !IdSpeltAs(devices[*hub].id, spelt)) return usb::kInvalidHandle;
    return static_cast<usb::Handle>(*hub + 1);
}

// Devices whose parent names the hub's id (or that of an earlier device with
// the same id), the first of them on `port`.
const SimUsb::Device* SimUsb::OnPort(const Device& hub, std::uint32_t port) {
    const Index& index = Indexed();
    const std::uint32_t first = index.firstOf[static_cast<std::size_t>(&hub - devices.data())];
    const auto found = std::lower_bound(index.ports.begin(), index.ports.end(), PortEntry{first, port, 0},
                                        [](const PortEntry& a, const PortEntry& b) {
                                            return std::tie(a.hub, a.port) < std::tie(b.hub, b.port);
                                        });
    if (found == index.ports.end() || found->hub != first || found->port != port) return nullptr;
    return &devices[found->device];
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
        const std::wstring name = base::DecodeText(codePage, *device->driver);
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
