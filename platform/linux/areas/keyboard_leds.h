#pragma once
// Lock keys from the keyboard LEDs the kernel exposes to every user:
// /sys/class/leds/<input>::capslock, ::numlock and ::scrolllock. The folder
// is listed once; each lock key's state is then read from its LEDs alone.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/io/root_fs.h"

namespace platform::linux_backend {

inline constexpr std::string_view kCapsLockLed = "capslock";
inline constexpr std::string_view kNumLockLed = "numlock";
inline constexpr std::string_view kScrollLockLed = "scrolllock";

// The LEDs of lock keys, by their folder's name ("input3::capslock"); none
// when the LED class cannot be listed.
std::vector<std::string> ListLockLeds(const RootFs& fs);

// True when the LED of that function is lit on any keyboard; nothing when
// no keyboard has such an LED. `vanished` is set when a listed LED is gone
// (its keyboard unplugged): the list is then made again.
std::optional<bool> LockLedLit(const RootFs& fs, const std::vector<std::string>& leds, std::string_view function,
                               bool& vanished);

}  // namespace platform::linux_backend
