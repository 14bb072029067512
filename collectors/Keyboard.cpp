#include "collectors/Keyboard.h"

#include <cmath>

#include "base/codepage.h"

namespace collectors {

namespace {

// Key states: bit 0 toggled, bit 15 held down.
constexpr std::int16_t kToggledUp = 1;
constexpr std::int16_t kToggledDown = -127;   // FF81h
constexpr std::int16_t kUntoggledDown = -128;  // FF80h

}  // namespace

Keyboard::Keyboard(platform::Machine& machine) : machine_(machine) {
    if (const int keys = machine.GetKeyboardType(platform::code::kKeyboardFunctionKeysQuery); keys >= 0 && keys <= 255)
        functionKeys_ = static_cast<std::uint8_t>(keys);
    keyboardType_ = KeyboardTypeName(machine.GetKeyboardType(platform::code::kKeyboardTypeQuery));
    if (const auto layout = machine.GetKeyboardLayoutName())
        layoutID_ = base::TextFromBuffer(machine.TextCodePage(), *layout);
    if (const auto delay = machine.SystemParametersInfo(platform::code::kSpiGetKeyboardDelay)) {
        repeatDelay_ = static_cast<std::uint8_t>(*delay & 0xFF);
        repeatDelayReported_ = true;
    }
    if (const auto speed = machine.SystemParametersInfo(platform::code::kSpiGetKeyboardSpeed)) {
        repeatSpeed_ = static_cast<std::uint8_t>(*speed & 0xFF);
        repeatSpeedReported_ = true;
    }
    Refresh();
}

bool Keyboard::Toggled(int virtualKey) const {
    const std::int16_t first = machine_.GetKeyState(virtualKey);
    const std::int16_t second = machine_.GetKeyState(virtualKey);
    return first == kToggledUp || second == kToggledDown;
}

void Keyboard::Refresh() {
    capsLock_ = Toggled(platform::code::kVkCapital);
    numLock_ = Toggled(platform::code::kVkNumLock);
    scrollLock_ = Toggled(platform::code::kVkScroll);
}

bool Keyboard::IsTabKey() const {
    const std::int16_t first = machine_.GetKeyState(platform::code::kVkTab);
    const std::int16_t second = machine_.GetKeyState(platform::code::kVkTab);
    return first == kUntoggledDown || second == kToggledDown;
}

int Keyboard::RepeatDelayMilliseconds(std::uint8_t setting) { return (setting + 1) * 250; }

int Keyboard::RepeatIntervalMilliseconds(std::uint8_t setting) {
    return static_cast<int>(std::lround(1000.0 / (2.5 + setting * 27.5 / 31.0)));
}

std::wstring Keyboard::KeyboardTypeName(int code) {
    switch (code) {
        case 1: return L"IBM PC/XT or compatible (83 keys)";
        case 2: return L"Olivetti \"ICO\" (102 keys)";
        case 3: return L"IBM PC/AT or compatible (84 keys)";
        case 4: return L"IBM enhanced (101 or 102 keys)";
        case 5: return L"Nokia 1050 or compatible";
        case 6: return L"Nokia 9140 or compatible";
        case 7: return L"Japanese";
        default: return {};
    }
}

}  // namespace collectors
