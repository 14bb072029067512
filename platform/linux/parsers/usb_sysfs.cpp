#include "platform/linux/parsers/usb_sysfs.h"

#include "base/codepage.h"
#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

constexpr std::string_view kRootHubPrefix = "usb";

// Bus and port numbers: the kernel's are small; anything longer is no USB name.
constexpr std::size_t kMaxNumberDigits = 3;

bool AllDigits(std::string_view text) {
    if (text.empty() || text.size() > kMaxNumberDigits) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

bool IsUsbRootHub(std::string_view name) {
    return StartsWith(name, kRootHubPrefix) && AllDigits(name.substr(kRootHubPrefix.size()));
}

std::optional<UsbPlace> UsbPlaceOf(std::string_view name) {
    // "<bus>-<port>[.<port>...]"; anything else (root hubs, interfaces) is no device on a port.
    const auto dash = name.find('-');
    if (dash == std::string_view::npos || !AllDigits(name.substr(0, dash))) return std::nullopt;
    const auto ports = Split(name.substr(dash + 1), '.');
    for (const auto port : ports)
        if (!AllDigits(port)) return std::nullopt;
    const auto last = ParseDecimal(ports.back());
    if (!last || *last == 0) return std::nullopt;
    UsbPlace place;
    place.port = static_cast<std::uint32_t>(*last);
    if (ports.size() == 1)
        place.parent = std::string(kRootHubPrefix) + std::string(name.substr(0, dash));
    else
        place.parent = std::string(name.substr(0, name.rfind('.')));
    return place;
}

std::optional<CachedDescriptors> SplitCachedDescriptors(const std::string& file) {
    using Device = usb::DeviceDescriptorLayout;
    using Configuration = usb::ConfigurationDescriptorLayout;
    const auto bytes = base::BytesOf(file);
    if (bytes.size() < Device::kSize || bytes[Device::kLength] != Device::kSize ||
        bytes[Device::kDescriptorType] != Device::kType)
        return std::nullopt;
    CachedDescriptors cached;
    cached.device.assign(bytes.begin(), bytes.begin() + Device::kSize);
    const auto config = bytes.subspan(Device::kSize);
    if (config.size() >= Configuration::kSize && config[Configuration::kLength] >= Configuration::kSize &&
        config[Configuration::kDescriptorType] == Configuration::kType)
        cached.configuration = Bytes(config.begin(), config.begin() + Configuration::kSize);
    return cached;
}

Bytes EncodeStringDescriptor(std::string_view text) {
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    return usb::StringDescriptor(base::DecodeUtf8(text));
}

Bytes LanguageListDescriptor(std::uint16_t language) {
    using usb::StringDescriptorLayout;
    Bytes out{static_cast<std::uint8_t>(StringDescriptorLayout::kFirstLanguage + 2), StringDescriptorLayout::kType};
    base::AppendLe16(out, language);
    return out;
}

}  // namespace platform::linux_backend
