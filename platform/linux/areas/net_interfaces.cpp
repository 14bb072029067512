#include "platform/linux/areas/net_interfaces.h"

#include <algorithm>
#include <tuple>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

std::optional<std::uint16_t> Hex16(std::string_view text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    const auto value = ParseHex(text);
    if (!value) return std::nullopt;
    return static_cast<std::uint16_t>(*value);
}

}  // namespace

std::vector<NetworkCard> ListNetworkCards(const RootFs& fs) {
    std::vector<NetworkCard> cards;
    const auto entries = fs.ListDirectory(kNetClass);
    if (!entries) return cards;
    std::vector<std::pair<std::uint64_t, std::string>> found;
    for (const auto& entry : *entries) {
        const std::string base = std::string(kNetClass) + "/" + entry.name;
        if (!entry.isDirectory || !fs.IsDirectory(base + "/device")) continue;
        std::uint64_t index = UINT64_MAX;  // unknown: after the others
        if (const auto text = fs.ReadFile(base + "/ifindex"))
            if (const auto value = AttributeValue(*text))
                if (const auto number = ParseDecimal(*value); number && *number <= UINT32_MAX) index = *number;
        found.emplace_back(index, entry.name);
    }
    std::sort(found.begin(), found.end());
    for (auto& [index, name] : found)
        cards.push_back({std::move(name), index == UINT64_MAX ? 0u : static_cast<std::uint32_t>(index)});
    return cards;
}

std::optional<HardwareAddress> ParseHardwareAddress(std::string_view text) {
    text = Trim(text);
    const auto parts = Split(text, ':');
    HardwareAddress address{};
    if (parts.size() != address.size()) return std::nullopt;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i].size() != 2) return std::nullopt;
        const auto value = ParseHex(parts[i]);
        if (!value) return std::nullopt;
        address[i] = static_cast<std::uint8_t>(*value);
    }
    return address;
}

DeviceIdentity ParseDeviceUevent(std::string_view uevent) {
    DeviceIdentity identity;
    for (const auto line : SplitLines(uevent)) {
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const auto key = line.substr(0, equals);
        const auto value = line.substr(equals + 1);
        if (key == "DRIVER") {
            identity.driver = std::string(value);
        } else if (key == "PCI_ID") {
            // "8086:15B8"
            const auto parts = Split(value, ':');
            const auto vendor = parts.size() == 2 ? Hex16(parts[0]) : std::nullopt;
            const auto device = parts.size() == 2 ? Hex16(parts[1]) : std::nullopt;
            if (vendor && device) std::tie(identity.bus, identity.vendor, identity.device) =
                std::tuple(DeviceIdentity::Bus::kPci, *vendor, *device);
        } else if (key == "PRODUCT") {
            // "bda/8153/3000": vendor, product and release in hex without leading zeros
            const auto parts = Split(value, '/');
            const auto vendor = parts.size() == 3 ? Hex16(parts[0]) : std::nullopt;
            const auto device = parts.size() == 3 ? Hex16(parts[1]) : std::nullopt;
            if (vendor && device) std::tie(identity.bus, identity.vendor, identity.device) =
                std::tuple(DeviceIdentity::Bus::kUsb, *vendor, *device);
        }
    }
    return identity;
}

}  // namespace platform::linux_backend
