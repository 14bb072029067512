// The registry as the network collector reads it on Linux: one key listing
// the network cards, one numbered subkey per card.
#include <strings.h>

#include "platform/linux/areas/linux_network.h"

namespace platform::linux_backend {

namespace {

// Open keys: the card list, and card n (1-based) as kCardKeyBase + n.
constexpr registry::Key kCardsKey = 1;
constexpr registry::Key kCardKeyBase = 1000;

bool SameText(std::string_view a, std::string_view b) {
    // Registry names are compared without regard to case.
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::optional<std::size_t> CardNumber(std::string_view text) {
    if (text.empty() || text.size() > 5 || text.front() == '0') return std::nullopt;
    std::size_t number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    return number;
}

}  // namespace

const std::vector<NetworkCard>& LinuxNetwork::Cards() {
    if (!cards_) cards_ = ListNetworkCards(fs_);
    return *cards_;
}

std::optional<registry::Key> LinuxNetwork::RegOpenKeyEx(registry::Key root, std::string_view subkey) {
    if (root != registry::kLocalMachine) return std::nullopt;
    const std::string_view cards = registry::kNetworkCards;
    if (SameText(subkey, cards)) return kCardsKey;
    if (subkey.size() <= cards.size() + 1 || !SameText(subkey.substr(0, cards.size()), cards) ||
        subkey[cards.size()] != '\\')
        return std::nullopt;
    const auto number = CardNumber(subkey.substr(cards.size() + 1));
    if (!number || *number > Cards().size()) return std::nullopt;
    return kCardKeyBase + static_cast<registry::Key>(*number);
}

std::optional<std::string> LinuxNetwork::RegEnumKeyEx(registry::Key key, std::uint32_t index) {
    if (key != kCardsKey || index >= Cards().size()) return std::nullopt;
    return std::to_string(index + 1);
}

std::optional<RegistryValueInfo> LinuxNetwork::RegQueryValueEx(registry::Key key, std::string_view valueName,
                                                               std::span<std::uint8_t> data) {
    if (key <= kCardKeyBase || key > kCardKeyBase + Cards().size() || !SameText(valueName, registry::kServiceName))
        return std::nullopt;
    const std::string& name = Cards()[key - kCardKeyBase - 1].name;
    RegistryValueInfo info{registry::kString, static_cast<std::uint32_t>(name.size() + 1)};
    if (data.empty()) return info;
    if (data.size() < info.size) return std::nullopt;  // the value does not fit
    std::copy(name.begin(), name.end(), data.begin());
    data[name.size()] = 0;
    return info;
}

void LinuxNetwork::RegCloseKey(registry::Key) {}

}  // namespace platform::linux_backend
