#include "platform/linux/areas/keyboard_leds.h"

#include <string>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {
constexpr std::string_view kLedClass = "/sys/class/leds";
}

std::optional<bool> LockLedLit(const RootFs& fs, std::string_view function) {
    const auto leds = fs.ListDirectory(kLedClass);
    if (!leds) return std::nullopt;
    const std::string suffix = "::" + std::string(function);
    std::optional<bool> lit;
    for (const auto& led : *leds) {
        if (!EndsWith(led.name, suffix)) continue;
        const auto content = fs.ReadFile(std::string(kLedClass) + "/" + led.name + "/brightness");
        if (!content) continue;
        const auto brightness = ParseDecimal(*content);
        if (!brightness) continue;
        lit = lit.value_or(false) || *brightness != 0;
    }
    return lit;
}

}  // namespace platform::linux_backend
