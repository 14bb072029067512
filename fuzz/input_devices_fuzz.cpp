// /proc/bus/input/devices: the device blocks, their capability bitmaps read
// with both word widths, and the keyboard, mouse and joysticks found in them.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "platform/linux/parsers/input_devices.h"

namespace pl = platform::linux_backend;

namespace {

constexpr unsigned kWordWidths[] = {32, 64};
constexpr unsigned kMostFunctionKeys = 24;     // F1..F24
constexpr unsigned kMostMouseButtons = 8;      // BTN_LEFT..BTN_TASK
constexpr unsigned kMostAxes = 64;             // ABS_X..ABS_MAX
constexpr unsigned kMostJoystickButtons = 512; // BTN_MISC..KEY_MAX
constexpr unsigned kBitsTested = 0x300;        // past every key and button code read
constexpr unsigned kBitStep = 7;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto devices = pl::ParseInputDevices(text);
    for (unsigned machineBits : kWordWidths) {
        const unsigned wordBits = pl::BitmapWordBits(devices, machineBits);
        FUZZ_CHECK(wordBits == 32 || wordBits == 64);
        const auto keyboard = pl::FindKeyboard(devices, wordBits);
        FUZZ_CHECK(keyboard.functionKeys <= kMostFunctionKeys);
        FUZZ_CHECK(keyboard.present || keyboard.functionKeys == 0);
        const auto mouse = pl::FindMouse(devices, wordBits);
        FUZZ_CHECK(mouse.buttons <= kMostMouseButtons);
        FUZZ_CHECK(mouse.present || (mouse.buttons == 0 && !mouse.wheel));
        for (const auto& joystick : pl::FindJoysticks(devices, wordBits)) {
            if (!joystick) continue;
            FUZZ_CHECK(joystick->axes <= kMostAxes);
            FUZZ_CHECK(joystick->buttons <= kMostJoystickButtons);
        }
    }
    // The whole text as one bitmap too: odd words, signs, blanks of every kind.
    for (unsigned wordBits : kWordWidths) {
        if (const auto bitmap = pl::CapabilityBitmap::Parse(text, wordBits))
            for (unsigned bit = 0; bit < kBitsTested; bit += kBitStep) bitmap->Test(bit);
    }
    return 0;
}
