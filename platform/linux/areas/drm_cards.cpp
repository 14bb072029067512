#include "platform/linux/areas/drm_cards.h"

#include <algorithm>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

constexpr std::string_view kCardPrefix = "card";

std::string Attribute(const RootFs& fs, const std::string& path) {
    const auto text = fs.ReadFile(path);
    const auto value = text ? AttributeValue(*text) : std::nullopt;
    return value.value_or("");
}

}  // namespace

std::optional<std::uint32_t> DrmCardNumber(std::string_view name) {
    if (!StartsWith(name, kCardPrefix)) return std::nullopt;
    const auto digits = name.substr(kCardPrefix.size());
    if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return static_cast<std::uint32_t>(*ParseDecimal(digits));
}

std::vector<DrmCard> ListDrmCards(const RootFs& fs) {
    std::vector<DrmCard> cards;
    const auto entries = fs.ListDirectory(kDrmClass);
    if (!entries) return cards;
    for (const auto& entry : *entries) {
        const auto number = DrmCardNumber(entry.name);
        if (!entry.isDirectory || !number) continue;
        DrmCard card;
        card.name = entry.name;
        card.number = *number;
        const std::string base = std::string(kDrmClass) + "/" + entry.name;
        card.bootVga = Attribute(fs, base + "/device/boot_vga") == "1";
        const std::string connectorPrefix = entry.name + "-";
        for (const auto& other : *entries) {
            if (!other.isDirectory || !StartsWith(other.name, connectorPrefix)) continue;
            const std::string status = Attribute(fs, std::string(kDrmClass) + "/" + other.name + "/status");
            card.connectors.push_back({other.name, status == "connected"});
        }
        cards.push_back(std::move(card));
    }
    std::sort(cards.begin(), cards.end(), [](const DrmCard& a, const DrmCard& b) { return a.number < b.number; });
    return cards;
}

std::optional<std::size_t> PrimaryCard(const std::vector<DrmCard>& cards) {
    if (cards.empty()) return std::nullopt;
    for (std::size_t i = 0; i < cards.size(); ++i)
        if (cards[i].bootVga) return i;
    return 0;
}

}  // namespace platform::linux_backend
