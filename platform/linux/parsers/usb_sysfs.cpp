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
    using Device = UsbDeviceDescriptorLayout;
    using Configuration = UsbConfigurationDescriptorLayout;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
    if (file.size() < Device::kSize || bytes[0] != Device::kSize || bytes[1] != Device::kType) return std::nullopt;
    CachedDescriptors cached;
    cached.device.assign(bytes, bytes + Device::kSize);
    const std::size_t rest = file.size() - Device::kSize;
    const std::uint8_t* config = bytes + Device::kSize;
    if (rest >= Configuration::kSize && config[0] >= Configuration::kSize && config[1] == Configuration::kType)
        cached.configuration = Bytes(config, config + Configuration::kSize);
    return cached;
}

Bytes EncodeStringDescriptor(std::string_view text) {
    using Layout = UsbStringDescriptorLayout;
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    const std::wstring wide = base::DecodeUtf8(text);
    Bytes out{0, Layout::kType};
    for (const wchar_t c : wide) {
        // Characters beyond the basic plane take a surrogate pair.
        const auto code = static_cast<std::uint32_t>(c);
        std::uint16_t units[2];
        std::size_t count = 1;
        if (code > 0xFFFF) {
            units[0] = static_cast<std::uint16_t>(0xD800 + ((code - 0x10000) >> 10));
            units[1] = static_cast<std::uint16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
            count = 2;
        } else {
            units[0] = static_cast<std::uint16_t>(code);
        }
        if (out.size() + 2 * count > Layout::kMaxSize) break;
        for (std::size_t i = 0; i < count; ++i) {
            out.push_back(static_cast<std::uint8_t>(units[i] & 0xFF));
            out.push_back(static_cast<std::uint8_t>(units[i] >> 8));
        }
    }
    out[0] = static_cast<std::uint8_t>(out.size());
    return out;
}

Bytes LanguageListDescriptor(std::uint16_t language) {
    return Bytes{4, UsbStringDescriptorLayout::kType, static_cast<std::uint8_t>(language & 0xFF),
                 static_cast<std::uint8_t>(language >> 8)};
}

}  // namespace platform::linux_backend
