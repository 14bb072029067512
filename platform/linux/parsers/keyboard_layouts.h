#pragma once
// The active XKB layout and its Windows layout identifier (eight hexadecimal
// digits: the variant in the high word, the language in the low word).

#include <optional>
#include <string>
#include <string_view>

namespace platform::linux_backend {

struct XkbLayout {
    std::string layout;   // "us"
    std::string variant;  // "intl", or empty for the basic variant
};

// The first layout of comma-separated lists ("us,de" with ",nodeadkeys"
// gives us and its basic variant). Nothing when the first layout is empty.
std::optional<XkbLayout> FirstLayout(std::string_view layouts, std::string_view variants);

// The X server's _XKB_RULES_NAMES property: rules, model, layouts, variants
// and options, each ended by a NUL byte.
std::optional<XkbLayout> LayoutFromRulesNames(std::string_view property);

// The layout's identifier; a variant without an identifier of its own gives
// its layout's. Nothing for a layout the table does not know.
std::optional<std::string> WindowsLayoutId(const XkbLayout& layout);

}  // namespace platform::linux_backend
