#include "platform/linux/parsers/desktop_settings.h"

#include <limits>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

std::optional<std::string_view> IniValue(const IniSections& ini, std::string_view section, std::string_view key) {
    const auto s = ini.find(section);
    if (s == ini.end()) return std::nullopt;
    const auto k = s->second.find(std::string(key));
    if (k == s->second.end()) return std::nullopt;
    return std::string_view(k->second);
}

std::optional<std::uint32_t> Milliseconds(std::optional<std::string_view> text) {
    if (!text) return std::nullopt;
    const auto value = ParseDecimal(*text);
    if (!value || *value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

std::optional<bool> Boolean(std::string_view text) {
    if (text == "true" || text == "1") return true;
    if (text == "false" || text == "0") return false;
    return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> GtkDoubleClickTime(std::string_view settingsIni) {
    return Milliseconds(IniValue(ParseIni(settingsIni), "Settings", "gtk-double-click-time"));
}

std::optional<std::uint32_t> KdeDoubleClickTime(std::string_view kdeglobals) {
    return Milliseconds(IniValue(ParseIni(kdeglobals), "KDE", "DoubleClickInterval"));
}

std::optional<bool> KdeLeftHanded(std::string_view kcminputrc) {
    const IniSections ini = ParseIni(kcminputrc);
    if (const auto mapping = IniValue(ini, "Mouse", "MouseButtonMapping")) {
        if (*mapping == "LeftHanded") return true;
        if (*mapping == "RightHanded") return false;
    }
    if (const auto flag = IniValue(ini, "Mouse", "XLbInptLeftHanded")) return Boolean(*flag);
    return std::nullopt;
}

std::optional<bool> SwappedInPointerMapping(std::string_view map) {
    constexpr std::size_t kThirdButton = 2;
    if (map.size() <= kThirdButton) return std::nullopt;
    return map[0] == 3 && map[kThirdButton] == 1;
}

}  // namespace platform::linux_backend
