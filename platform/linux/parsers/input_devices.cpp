#include "platform/linux/parsers/input_devices.h"

#include <algorithm>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

// Key and axis codes of the kernel's input event codes.
constexpr unsigned kKeyLetterRows[][2] = {{16, 25}, {30, 38}, {44, 50}};  // Q..P, A..L, Z..M
constexpr unsigned kKeyF1 = 59, kKeyF10 = 68, kKeyF11 = 87, kKeyF12 = 88, kKeyF13 = 183, kKeyF24 = 194;
constexpr unsigned kBtnLeft = 0x110, kBtnTask = 0x117;
constexpr unsigned kRelX = 0x00, kRelWheel = 0x08;
constexpr unsigned kAbsLast = 0x3f;
constexpr unsigned kBtnMisc = 0x100, kBtnJoystick = 0x120, kKeyLast = 0x2ff;
constexpr std::string_view kJoystickHandler = "js";
constexpr std::size_t kDigitsOf32BitWord = 8;

constexpr std::string_view kKeyBitmap = "KEY";
constexpr std::string_view kRelBitmap = "REL";
constexpr std::string_view kAbsBitmap = "ABS";

std::optional<CapabilityBitmap> Bitmap(const InputDevice& device, std::string_view name, unsigned wordBits) {
    const auto found = device.bitmaps.find(name);
    if (found == device.bitmaps.end()) return std::nullopt;
    return CapabilityBitmap::Parse(found->second, wordBits);
}

bool HasHandler(const InputDevice& device, std::string_view prefix, bool numbered) {
    return std::any_of(device.handlers.begin(), device.handlers.end(), [&](const std::string& h) {
        if (!numbered) return h == prefix;
        return StartsWith(h, prefix) && h.size() > prefix.size() && ParseDecimal(std::string_view(h).substr(prefix.size()));
    });
}

unsigned CountKeys(const CapabilityBitmap& keys, unsigned first, unsigned last) {
    unsigned count = 0;
    for (unsigned code = first; code <= last; ++code) count += keys.Test(code) ? 1 : 0;
    return count;
}

// The slot of a "jsN" handler, when it is one of the sixteen.
std::optional<std::size_t> JoystickSlot(const InputDevice& device) {
    for (const std::string& handler : device.handlers) {
        if (!StartsWith(handler, kJoystickHandler) || handler.size() == kJoystickHandler.size()) continue;
        const auto number = ParseDecimal(std::string_view(handler).substr(kJoystickHandler.size()));
        if (number && *number < kJoystickSlots) return static_cast<std::size_t>(*number);
    }
    return std::nullopt;
}

}  // namespace

std::vector<InputDevice> ParseInputDevices(std::string_view text) {
    std::vector<InputDevice> devices;
    InputDevice current;
    bool open = false;
    auto close = [&] {
        if (open) devices.push_back(std::move(current));
        current = InputDevice{};
        open = false;
    };
    for (std::string_view line : SplitLines(text)) {
        line = Trim(line);
        if (line.empty()) {
            close();
            continue;
        }
        if (line.size() < 3 || line[1] != ':' || line[2] != ' ') continue;
        const char kind = line[0];
        const std::string_view rest = Trim(line.substr(3));
        if (kind == 'I') {
            close();  // a device always starts with its identity line
            open = true;
        } else if (kind == 'N' && StartsWith(rest, "Name=")) {
            std::string_view name = rest.substr(5);
            if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
            current.name = std::string(name);
            open = true;
        } else if (kind == 'H' && StartsWith(rest, "Handlers=")) {
            for (std::string_view handler : SplitBlanks(rest.substr(9))) current.handlers.emplace_back(handler);
            open = true;
        } else if (kind == 'B') {
            const std::size_t eq = rest.find('=');
            if (eq == std::string_view::npos || eq == 0) continue;
            current.bitmaps[std::string(rest.substr(0, eq))] = std::string(Trim(rest.substr(eq + 1)));
            open = true;
        }
    }
    close();
    return devices;
}

std::optional<CapabilityBitmap> CapabilityBitmap::Parse(std::string_view words, unsigned wordBits) {
    if (wordBits != 32 && wordBits != 64) return std::nullopt;
    const auto parts = SplitBlanks(words);
    if (parts.empty()) return std::nullopt;
    CapabilityBitmap bitmap;
    bitmap.wordBits_ = wordBits;
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
        if (it->size() > wordBits / 4) return std::nullopt;
        const auto value = ParseHex(*it);
        if (!value || it->front() == '-') return std::nullopt;
        bitmap.words_.push_back(*value);
    }
    return bitmap;
}

bool CapabilityBitmap::Test(unsigned bit) const {
    const std::size_t word = bit / wordBits_;
    if (word >= words_.size()) return false;
    return (words_[word] >> (bit % wordBits_)) & 1u;
}

unsigned BitmapWordBits(const std::vector<InputDevice>& devices, unsigned machineLongBits) {
    for (const auto& device : devices)
        for (const auto& [name, words] : device.bitmaps)
            for (std::string_view word : SplitBlanks(words))
                if (word.size() > kDigitsOf32BitWord) return 64;
    return machineLongBits == 32 ? 32 : 64;
}

KeyboardFacts FindKeyboard(const std::vector<InputDevice>& devices, unsigned wordBits) {
    KeyboardFacts facts;
    for (const auto& device : devices) {
        if (!HasHandler(device, "kbd", false)) continue;
        const auto keys = Bitmap(device, kKeyBitmap, wordBits);
        if (!keys) continue;
        const bool letters = std::all_of(std::begin(kKeyLetterRows), std::end(kKeyLetterRows), [&](const auto& row) {
            return CountKeys(*keys, row[0], row[1]) == row[1] - row[0] + 1;
        });
        if (!letters) continue;
        facts.present = true;
        const unsigned functionKeys = CountKeys(*keys, kKeyF1, kKeyF10) + CountKeys(*keys, kKeyF11, kKeyF12) +
                                      CountKeys(*keys, kKeyF13, kKeyF24);
        facts.functionKeys = std::max(facts.functionKeys, functionKeys);
    }
    return facts;
}

MouseFacts FindMouse(const std::vector<InputDevice>& devices, unsigned wordBits) {
    MouseFacts facts;
    for (const auto& device : devices) {
        const auto keys = Bitmap(device, kKeyBitmap, wordBits);
        const auto axes = Bitmap(device, kRelBitmap, wordBits);
        const bool pointer = keys && axes && keys->Test(kBtnLeft) && axes->Test(kRelX);
        if (!HasHandler(device, "mouse", true) && !pointer) continue;
        facts.present = true;
        if (keys) facts.buttons = std::max(facts.buttons, CountKeys(*keys, kBtnLeft, kBtnTask));
        if (axes && axes->Test(kRelWheel)) facts.wheel = true;
    }
    return facts;
}

}  // namespace platform::linux_backend

namespace platform::linux_backend {

JoystickSlots FindJoysticks(const std::vector<InputDevice>& devices, unsigned wordBits) {
    JoystickSlots slots;
    for (const auto& device : devices) {
        const auto slot = JoystickSlot(device);
        if (!slot || slots[*slot]) continue;
        JoystickFacts facts;
        facts.name = device.name;
        if (const auto axes = Bitmap(device, kAbsBitmap, wordBits)) facts.axes = CountKeys(*axes, 0, kAbsLast);
        if (const auto keys = Bitmap(device, kKeyBitmap, wordBits))
            facts.buttons = CountKeys(*keys, kBtnJoystick, kKeyLast) + CountKeys(*keys, kBtnMisc, kBtnJoystick - 1);
        slots[*slot] = std::move(facts);
    }
    return slots;
}

}  // namespace platform::linux_backend
