#include "collectors/USBDevices.h"

#include <algorithm>
#include <cstdint>
#include <array>
#include <charconv>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/bytes.h"
#include "base/codepage.h"
#include "platform/usb_services.h"
#include "platform/usb_records.h"

namespace collectors {

namespace {

namespace usb = platform::usb;
using Request = usb::DescriptorRequestLayout;
using KeyName = usb::DriverKeyNameLayout;

using DeviceDescriptor = usb::DeviceDescriptorLayout;
using Configuration = usb::ConfigurationDescriptorLayout;
using StringDescriptor = usb::StringDescriptorLayout;
constexpr std::uint16_t kStringRequestLength = 514;

class HubPort {
public:
    HubPort(platform::UsbServices& services, usb::Handle hub, std::uint32_t port)
        : services_(services), hub_(hub), port_(port) {}

    // The descriptor bytes the hub returned (at most `length`), or nothing.
    std::optional<std::span<const std::uint8_t>> Get(std::uint8_t type, std::uint8_t index, std::uint16_t language,
                                                     std::uint16_t length) {
        usb::DescriptorRequest request;
        request.port = port_;
        request.type = type;
        request.index = index;
        request.language = language;
        request.length = length;
        usb::WriteDescriptorRequest(record_, request);
        std::fill(record_.begin() + Request::kData, record_.end(), std::uint8_t{0});
        const auto returned = services_.DeviceIoControl(hub_, usb::kGetDescriptorFromNodeConnection, record_);
        if (!returned) return std::nullopt;
        // Only what the hub says it returned, and never beyond the record or the length asked.
        const std::size_t data = std::min<std::size_t>(
            {*returned > Request::kData ? std::size_t{*returned} - Request::kData : std::size_t{0}, Request::kDataSize,
             std::size_t{length}});
        return std::span<const std::uint8_t>(record_).subspan(Request::kData, data);
    }

    // The text of string descriptor `index`: its length byte L gives
    // (L - 2) / 2 characters, of which only those the reply holds are taken.
    std::wstring String(std::uint8_t index, std::uint16_t language) {
        if (index == 0) return {};
        const auto reply = Get(usb::kStringDescriptorType, index, language, kStringRequestLength);
        constexpr std::size_t kHeader = StringDescriptor::kHeader;
        if (!reply || reply->size() < kHeader || (*reply)[StringDescriptor::kLength] < kHeader) return {};
        const std::size_t declared = (*reply)[StringDescriptor::kLength] - kHeader;
        return base::DecodeUtf16Le(reply->subspan(kHeader, std::min(declared, reply->size() - kHeader)));
    }

private:
    platform::UsbServices& services_;
    usb::Handle hub_;
    std::uint32_t port_;
    std::array<std::uint8_t, Request::kSize> record_{};
};

// The driver key name of the device on `port`, or nothing when the hub refuses.
std::optional<std::wstring> DriverKeyOnPort(platform::UsbServices& services, usb::Handle hub, std::uint32_t port) {
    std::array<std::uint8_t, KeyName::kSize> record{};
    base::WriteLe32(record, KeyName::kConnectionIndex, port);
    const auto returned = services.DeviceIoControl(hub, usb::kGetNodeConnectionDriverKeyName, record);
    if (!returned) return std::nullopt;
    const std::uint32_t actual = *base::ReadLe32(record, KeyName::kActualLength);
    // ActualLength is the length of the whole record the name needs, counted
    // from its start: the name is what follows the port and the length, but
    // never more than the record holds or the hub returned. (Taking 12 bytes
    // off, the record's declared size, would cut the last character of every
    // name Windows reports, and no port would match.)
    std::size_t bytes = actual > KeyName::kName ? actual - KeyName::kName : 0;
    bytes = std::min({bytes, KeyName::kSize - KeyName::kName,
                      *returned > KeyName::kName ? std::size_t{*returned} - KeyName::kName : std::size_t{0}});
    std::wstring name = base::DecodeUtf16Le(std::span<const std::uint8_t>(record).subspan(KeyName::kName, bytes & ~std::size_t{1}));
    // Hubs differ in whether ActualLength counts the name's terminating NUL;
    // a driver key never holds one, so the name ends there either way.
    name.resize(std::min(name.size(), name.find(L'\0')));
    return name;
}

std::wstring Property(platform::UsbServices& services, usb::DeviceList list, usb::DeviceInstance device,
                      std::uint32_t code, base::CodePage page) {
    auto text = services.SetupDiGetDeviceRegistryProperty(list, device, code);
    if (!text) return {};
    return base::TextFromBuffer(page, base::FitToField(page, *text, usb::kPropertyBuffer - 1));
}

// A hub's ports by the driver key of the device on each, asked once per hub:
// every device on the hub looks its own key up here, instead of asking all
// the hub's ports again (a hub of eight ports would be asked 64 times).
struct HubPorts {
    bool answered = false;  // the hub gave its node information
    std::unordered_map<std::wstring, std::vector<std::uint32_t>> byKey;
};

HubPorts ReadHubPorts(platform::UsbServices& services, usb::Handle hub) {
    HubPorts ports;
    std::array<std::uint8_t, usb::NodeInformationLayout::kSize> node{};
    if (!services.DeviceIoControl(hub, usb::kGetNodeInformation, node)) return ports;
    ports.answered = true;
    const unsigned count = node[usb::NodeInformationLayout::kNumberOfPorts];
    for (std::uint32_t port = 1; port <= count; ++port)
        if (auto key = DriverKeyOnPort(services, hub, port)) ports.byKey[std::move(*key)].push_back(port);
    return ports;
}

// "\\.\" + the instance ID with every "\" as "#" + "#" + the hub interface class.
std::string HubPath(std::string id) {
    std::replace(id.begin(), id.end(), '\\', '#');
    return "\\\\.\\" + id + "#" + std::string(usb::kHubInterfaceClass);
}

// Whether the device on `port` runs at SuperSpeed or faster, where
// bMaxPower counts 8 mA (USB 3.x). A hub that does not know the request
// (before Windows 8) has no such port to report.
bool AtSuperSpeed(platform::UsbServices& services, usb::Handle hub, std::uint32_t port) {
    using usb::ConnectionInformationV2Layout;
    std::array<std::uint8_t, ConnectionInformationV2Layout::kSize> record{};
    base::WriteLe32(record, ConnectionInformationV2Layout::kConnectionIndex, port);
    base::WriteLe32(record, ConnectionInformationV2Layout::kLength, ConnectionInformationV2Layout::kSize);
    base::WriteLe32(record, ConnectionInformationV2Layout::kSupportedProtocols,
                    ConnectionInformationV2Layout::kUsb110 | ConnectionInformationV2Layout::kUsb200 |
                        ConnectionInformationV2Layout::kUsb300);
    if (!services.DeviceIoControl(hub, usb::kGetNodeConnectionInformationExV2, record)) return false;
    return (*base::ReadLe32(record, ConnectionInformationV2Layout::kFlags) &
            ConnectionInformationV2Layout::kOperatingAtSuperSpeedOrHigher) != 0;
}

}  // namespace

std::wstring USBDevices::BcdText(std::uint16_t bcd, int decimals) {
    // The word's hexadecimal digits, at least three of them.
    constexpr char kHex[] = "0123456789ABCDEF";
    char digits[4];
    std::size_t count = 0;
    for (int shift = 12; shift >= 0; shift -= 4)
        if (const char digit = kHex[(bcd >> shift) & 0xF]; count > 0 || digit != '0' || shift < 12) digits[count++] = digit;
    const std::size_t whole = count - 2;
    const bool decimal = std::all_of(digits, digits + count, [](char c) { return c <= '9'; });
    // At most five characters ("FFF.FF", "100.0"): built in place, then widened once.
    char text[8];
    std::size_t length = 0;
    if (!decimal) {
        std::size_t first = 0;
        while (first + 1 < whole && digits[first] == '0') ++first;
        for (std::size_t i = first; i < whole; ++i) text[length++] = digits[i];
        text[length++] = '.';
        for (std::size_t i = 0; i < static_cast<std::size_t>(decimals); ++i) text[length++] = digits[whole + i];
        return std::wstring(text, text + length);
    }
    // Hundredths, rounded half up to the places asked for.
    unsigned hundredths = 0;
    for (std::size_t i = 0; i < count; ++i) hundredths = hundredths * 10 + static_cast<unsigned>(digits[i] - '0');
    const unsigned scale = decimals == 1 ? 10 : 1;
    const unsigned places = decimals == 1 ? 10 : 100;
    const unsigned rounded = (hundredths + scale / 2) / scale;
    char* end = std::to_chars(text, text + sizeof text, rounded / places).ptr;  // at most "100"
    *end++ = '.';
    if (decimals == 2) *end++ = static_cast<char>('0' + rounded % places / 10);
    *end++ = static_cast<char>('0' + rounded % 10);
    return std::wstring(text, end);
}

USBDevices::USBDevices(platform::Machine& machine) {
    platform::UsbServices& services = machine.Usb();
    const base::CodePage page = machine.TextCodePage();
    std::uint16_t language = 0;
    const usb::DeviceList list = services.SetupDiGetClassDevs(usb::kDeviceInterfaceClass, usb::kPresentInterfaces);
    if (list == usb::kInvalidList) return;

    std::unordered_map<std::string, HubPorts> hubs;
    static const std::vector<std::uint32_t> kNoPorts;
    // Devices past the last one Count can hold are found on their ports and
    // counted, but not asked for their descriptors.
    for (std::uint32_t member = 0;; ++member) {
        const auto device = services.SetupDiEnumDeviceInfo(list, member);
        if (!device) break;
        const auto parent = services.CM_Get_Parent(*device);
        const auto parentId = parent ? services.CM_Get_Device_ID(*parent) : std::nullopt;
        if (!parentId) continue;
        const usb::Handle hub = services.CreateFile(HubPath(*parentId));
        if (hub == usb::kInvalidHandle) continue;

        auto known = hubs.find(*parentId);
        if (known == hubs.end()) known = hubs.emplace(*parentId, ReadHubPorts(services, hub)).first;
        if (!known->second.answered) {
            services.CloseHandle(hub);
            continue;
        }
        const auto onPorts = known->second.byKey.find(Property(services, list, *device, usb::kDriverKeyName, page));
        const auto& matching = onPorts == known->second.byKey.end() ? kNoPorts : onPorts->second;
        for (const std::uint32_t port : matching) {
            if (Full()) {
                CountPastLimit();
                continue;
            }
            auto item = std::make_unique<USBDeviceItem>();
            HubPort connection(services, hub, port);
            if (const auto languages = connection.Get(usb::kStringDescriptorType, 0, 0, kStringRequestLength);
                languages && languages->size() >= StringDescriptor::kFirstLanguage + 2)
                language = *base::ReadLe16(*languages, StringDescriptor::kFirstLanguage);

            if (const auto d = connection.Get(usb::kDeviceDescriptorType, 0, 0, DeviceDescriptor::kSize);
                d && d->size() == DeviceDescriptor::kSize) {
                // A copy: the string requests below reuse the request record.
                std::array<std::uint8_t, DeviceDescriptor::kSize> bytes{};
                std::copy(d->begin(), d->end(), bytes.begin());
                const auto le16 = [&](std::size_t offset) { return *base::ReadLe16(bytes, offset); };
                item->class_ = bytes[DeviceDescriptor::kClass];
                item->description_ = Property(services, list, *device, usb::kDeviceDescription, page);
                item->manufacturer_ = connection.String(bytes[DeviceDescriptor::kManufacturerIndex], language);
                item->name_ = connection.String(bytes[DeviceDescriptor::kProductIndex], language);
                item->packetSize_ = bytes[DeviceDescriptor::kMaxPacketSize0];
                item->productID_ = le16(DeviceDescriptor::kProduct);
                item->protocol_ = bytes[DeviceDescriptor::kProtocol];
                item->revision_ = BcdText(le16(DeviceDescriptor::kBcdDevice), 2);
                item->serialNumber_ = connection.String(bytes[DeviceDescriptor::kSerialNumberIndex], language);
                item->subclass_ = bytes[DeviceDescriptor::kSubClass];
                item->vendorID_ = le16(DeviceDescriptor::kVendor);
                item->version_ = BcdText(le16(DeviceDescriptor::kBcdUsb), 1);
            }
            if (const auto c = connection.Get(usb::kConfigurationDescriptorType, 0, 0, Configuration::kSize);
                c && c->size() == Configuration::kSize)
                item->power_ = static_cast<std::int16_t>((*c)[Configuration::kMaxPower] *
                                                         (AtSuperSpeed(services, hub, port) ? 8 : 2));
            Add(std::move(item));
        }
        services.CloseHandle(hub);
    }
    services.SetupDiDestroyDeviceInfoList(list);
}

}  // namespace collectors
