#include "platform/linux/areas/keyboard_leds.h"

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

constexpr std::string_view kLedClass = "/sys/class/leds";

std::string FunctionSuffix(std::string_view function) { return "::" + std::string(function); }

}  // namespace

std::vector<std::string> ListLockLeds(const RootFs& fs) {
    std::vector<std::string> lockLeds;
    const auto leds = fs.ListDirectory(kLedClass);
    if (!leds) return lockLeds;
    for (const auto& led : *leds)
        for (const auto function : {kCapsLockLed, kNumLockLed, kScrollLockLed})
            if (EndsWith(led.name, FunctionSuffix(function))) lockLeds.push_back(led.name);
    return lockLeds;
}

std::optional<bool> LockLedLit(const RootFs& fs, const std::vector<std::string>& leds, std::string_view function,
                               bool& vanished) {
    const std::string suffix = FunctionSuffix(function);
    std::optional<bool> lit;
    for (const auto& led : leds) {
        if (!EndsWith(led, suffix)) continue;
        const auto content = fs.ReadFile(std::string(kLedClass) + "/" + led + "/brightness");
        if (!content) {
            vanished = true;
            continue;
        }
        const auto brightness = ParseDecimal(*content);
        if (!brightness) continue;
        lit = lit.value_or(false) || *brightness != 0;
    }
    return lit;
}

}  // namespace platform::linux_backend
