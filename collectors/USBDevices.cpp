#include "collectors/USBDevices.h"

#include <algorithm>
#include <cstdint>
#include <array>
#include <cstdio>
#include <vector>

#include "base/bytes.h"
#include "base/codepage.h"
#include "platform/usb_services.h"

namespace collectors {

namespace {

namespace usb = platform::usb;
using Request = usb::DescriptorRequestLayout;
using KeyName = usb::DriverKeyNameLayout;

using DeviceDescriptor = usb::DeviceDescriptorLayout;
using Configuration = usb::ConfigurationDescriptorLayout;
using StringDescriptor = usb::StringDescriptorLayout;
constexpr std::uint16_t kStringRequestLength = 514;

// UTF-16LE code units as text; a lone surrogate becomes U+FFFD.
std::wstring FromUtf16(std::span<const std::uint8_t> bytes) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const std::uint32_t unit = *base::ReadLe16(bytes, i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint32_t low = *base::ReadLe16(bytes, i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                text += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        text += (unit >= 0xD800 && unit < 0xE000) ? L'\xFFFD' : static_cast<wchar_t>(unit);
    }
    return text;
}

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
        return FromUtf16(reply->subspan(kHeader, std::min(declared, reply->size() - kHeader)));
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
    std::wstring name = FromUtf16(std::span<const std::uint8_t>(record).subspan(KeyName::kName, bytes & ~std::size_t{1}));
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

// "\\.\" + the instance ID with every "\" as "#" + "#" + the hub interface class.
std::string HubPath(std::string id) {
    std::replace(id.begin(), id.end(), '\\', '#');
    return "\\\\.\\" + id + "#" + std::string(usb::kHubInterfaceClass);
}

// Whether the device on `port` runs at SuperSpeed or faster, where
// bMaxPower counts 8 mA (USB 3.x). A hub that does not know the request
// (before Windows 8) has no such port to report.
bool AtSuperSpeed(platform::UsbServices& services, usb::Handle hub, std::uint32_t port) {
    using L = usb::ConnectionInformationV2Layout;
    std::array<std::uint8_t, L::kSize> record{};
    base::WriteLe32(record, L::kConnectionIndex, port);
    base::WriteLe32(record, L::kLength, L::kSize);
    base::WriteLe32(record, L::kSupportedProtocols, L::kUsb110 | L::kUsb200 | L::kUsb300);
    if (!services.DeviceIoControl(hub, usb::kGetNodeConnectionInformationExV2, record)) return false;
    return (*base::ReadLe32(record, L::kFlags) & L::kOperatingAtSuperSpeedOrHigher) != 0;
}

}  // namespace

std::wstring USBDevices::BcdText(std::uint16_t bcd, int decimals) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%03X", bcd);
    const std::string digits(hex);
    const bool decimal = digits.find_first_not_of("0123456789") == std::string::npos;
    std::string text;
    if (decimal) {
        // Hundredths, rounded half up to the places asked for.
        const unsigned hundredths = static_cast<unsigned>(std::stoul(digits));
        const unsigned scale = decimals == 1 ? 10 : 1;
        const unsigned rounded = (hundredths + scale / 2) / scale;
        const unsigned places = decimals == 1 ? 10 : 100;
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%u.%0*u", rounded / places, decimals, rounded % places);
        text = buffer;
    } else {
        text = digits.substr(0, digits.size() - 2);
        text.erase(0, std::min(text.find_first_not_of('0'), text.size() - 1));
        text += "." + digits.substr(digits.size() - 2, static_cast<std::size_t>(decimals));
    }
    return std::wstring(text.begin(), text.end());
}

USBDevices::USBDevices(platform::Machine& machine) {
    platform::UsbServices& services = machine.Usb();
    const base::CodePage page = machine.TextCodePage();
    std::uint16_t language = 0;
    const usb::DeviceList list = services.SetupDiGetClassDevs(usb::kDeviceInterfaceClass, usb::kPresentInterfaces);
    if (list == usb::kInvalidList) return;

    // Devices past the last one Count can hold are not asked for.
    for (std::uint32_t member = 0; Count() < INT16_MAX; ++member) {
        const auto device = services.SetupDiEnumDeviceInfo(list, member);
        if (!device) break;
        const auto parent = services.CM_Get_Parent(*device);
        const auto parentId = parent ? services.CM_Get_Device_ID(*parent) : std::nullopt;
        if (!parentId) continue;
        const usb::Handle hub = services.CreateFile(HubPath(*parentId));
        if (hub == usb::kInvalidHandle) continue;

        std::array<std::uint8_t, usb::NodeInformationLayout::kSize> node{};
        if (!services.DeviceIoControl(hub, usb::kGetNodeInformation, node)) {
            services.CloseHandle(hub);
            continue;
        }
        const std::wstring ownKey = Property(services, list, *device, usb::kDriverKeyName, page);
        const unsigned ports = node[usb::NodeInformationLayout::kNumberOfPorts];
        for (std::uint32_t port = 1; port <= ports; ++port) {
            const auto key = DriverKeyOnPort(services, hub, port);
            if (!key || *key != ownKey) continue;

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
