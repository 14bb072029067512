#pragma once
// Lock keys from the keyboard LEDs the kernel exposes to every user:
// /sys/class/leds/<input>::capslock, ::numlock and ::scrolllock.

#include <optional>
#include <string_view>

#include "platform/linux/io/root_fs.h"

namespace platform::linux_backend {

inline constexpr std::string_view kCapsLockLed = "capslock";
inline constexpr std::string_view kNumLockLed = "numlock";
inline constexpr std::string_view kScrollLockLed = "scrolllock";

// True when the LED of that function is lit on any keyboard; nothing when
// no keyboard has such an LED.
std::optional<bool> LockLedLit(const RootFs& fs, std::string_view function);

}  // namespace platform::linux_backend
