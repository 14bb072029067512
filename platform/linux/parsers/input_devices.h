#pragma once
// Keyboards and mice from /proc/bus/input/devices: each device block names
// its handlers ("H: Handlers=sysrq kbd event3") and lists its capabilities
// as bitmaps ("B: KEY=1000000000007 ff9f207ac14057ff ..."). A bitmap is
// printed as hexadecimal words of the kernel's unsigned long, the most
// significant word first and leading zero words left out; so the meaning of
// a bit depends on the word width of the machine that wrote the file.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::linux_backend {

struct InputDevice {
    std::string name;
    std::vector<std::string> handlers;
    std::map<std::string, std::string, std::less<>> bitmaps;  // "KEY" -> "ff0000 0 0 0 0"
};

std::vector<InputDevice> ParseInputDevices(std::string_view text);

class CapabilityBitmap {
public:
    // Nothing when a word is not hexadecimal or does not fit `wordBits`.
    static std::optional<CapabilityBitmap> Parse(std::string_view words, unsigned wordBits);
    bool Test(unsigned bit) const;

private:
    std::vector<std::uint64_t> words_;  // least significant first
    unsigned wordBits_ = 64;
};

// 64 when any bitmap word has more than eight digits (only a 64-bit kernel
// prints those), else the machine's word width.
unsigned BitmapWordBits(const std::vector<InputDevice>& devices, unsigned machineLongBits);

struct KeyboardFacts {
    bool present = false;      // a full keyboard: a "kbd" device with the letter keys
    unsigned functionKeys = 0;  // F1..F24 keys of the full keyboard with most
};
KeyboardFacts FindKeyboard(const std::vector<InputDevice>& devices, unsigned wordBits);

struct MouseFacts {
    bool present = false;  // a "mouseN" device, or one with a left button and an X axis
    unsigned buttons = 0;  // BTN_LEFT..BTN_TASK of the mouse with most
    bool wheel = false;    // a mouse with a wheel axis
};
MouseFacts FindMouse(const std::vector<InputDevice>& devices, unsigned wordBits);

// The kernel's joystick devices js0 to js15: a slot is taken by the input
// device whose handlers list "jsN". Axes and buttons are counted the way the
// joystick interface numbers them: every absolute axis; the buttons from the
// joystick range (BTN_JOYSTICK) up to the last key code, then the misc
// buttons below it.
inline constexpr std::size_t kJoystickSlots = 16;
struct JoystickFacts {
    std::string name;
    unsigned axes = 0;
    unsigned buttons = 0;
};
using JoystickSlots = std::array<std::optional<JoystickFacts>, kJoystickSlots>;
JoystickSlots FindJoysticks(const std::vector<InputDevice>& devices, unsigned wordBits);

}  // namespace platform::linux_backend
