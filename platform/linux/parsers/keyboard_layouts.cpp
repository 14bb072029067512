#include "platform/linux/parsers/keyboard_layouts.h"

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

struct LayoutId {
    std::string_view layout;
    std::string_view variant;  // empty: the layout's basic variant
    std::string_view id;
};

// Windows keyboard layout identifiers of the common XKB layouts and variants.
constexpr LayoutId kLayoutIds[] = {
    {"us", "", "00000409"},        {"us", "intl", "00020409"},     {"us", "alt-intl", "00020409"},
    {"us", "dvorak", "00010409"},  {"us", "dvorak-l", "00030409"}, {"us", "dvorak-r", "00040409"},
    {"gb", "", "00000809"},        {"gb", "extd", "00000452"},     {"ie", "", "00001809"},
    {"de", "", "00000407"},        {"at", "", "00000407"},         {"ch", "", "00000807"},
    {"ch", "fr", "0000100C"},      {"fr", "", "0000040C"},         {"be", "", "0000080C"},
    {"nl", "", "00000413"},        {"es", "", "0000040A"},         {"latam", "", "0000080A"},
    {"it", "", "00000410"},        {"pt", "", "00000816"},         {"br", "", "00000416"},
    {"br", "abnt2", "00010416"},   {"se", "", "0000041D"},         {"no", "", "00000414"},
    {"dk", "", "00000406"},        {"fi", "", "0000040B"},         {"is", "", "0000040F"},
    {"pl", "", "00000415"},        {"cz", "", "00000405"},         {"cz", "qwerty", "00010405"},
    {"sk", "", "0000041B"},        {"hu", "", "0000040E"},         {"si", "", "00000424"},
    {"hr", "", "0000041A"},        {"ro", "", "00010418"},         {"ee", "", "00000425"},
    {"lv", "", "00000426"},        {"lt", "", "00010427"},         {"gr", "", "00000408"},
    {"tr", "", "0000041F"},        {"tr", "f", "0001041F"},        {"ru", "", "00000419"},
    {"ua", "", "00000422"},        {"by", "", "00000423"},         {"bg", "", "00000402"},
    {"il", "", "0000040D"},        {"ara", "", "00000401"},        {"jp", "", "00000411"},
    {"kr", "", "00000412"},        {"cn", "", "00000804"},         {"tw", "", "00000404"},
    {"ca", "", "00001009"},        {"ca", "multix", "00011009"},   {"in", "", "00004009"},
};

}  // namespace

std::optional<XkbLayout> FirstLayout(std::string_view layouts, std::string_view variants) {
    const std::string_view layout = Trim(Split(layouts, ',').front());
    if (layout.empty()) return std::nullopt;
    return XkbLayout{std::string(layout), std::string(Trim(Split(variants, ',').front()))};
}

std::optional<XkbLayout> LayoutFromRulesNames(std::string_view property) {
    const auto names = Split(property, '\0');
    constexpr std::size_t kLayouts = 2, kVariants = 3;
    if (names.size() <= kLayouts) return std::nullopt;
    return FirstLayout(names[kLayouts], names.size() > kVariants ? names[kVariants] : std::string_view());
}

std::optional<std::string> WindowsLayoutId(const XkbLayout& layout) {
    std::optional<std::string> basic;
    for (const auto& entry : kLayoutIds) {
        if (entry.layout != layout.layout) continue;
        if (entry.variant == layout.variant) return std::string(entry.id);
        if (entry.variant.empty()) basic = std::string(entry.id);
    }
    return basic;
}

}  // namespace platform::linux_backend
