#include "collectors/Mouse.h"

namespace collectors {

Mouse::Mouse(platform::Machine& machine) {
    buttonConfiguration_ = (machine.GetSystemMetrics(platform::code::kSmSwapButton) != 0 ? 1 : 0) + 1;
    if (const int buttons = machine.GetSystemMetrics(platform::code::kSmCMouseButtons); buttons >= 0 && buttons <= 255)
        buttons_ = static_cast<std::uint8_t>(buttons);
    if (const std::uint32_t time = machine.GetDoubleClickTime(); time <= 32767)
        doubleClickSpeed_ = static_cast<std::int16_t>(time);
    wheel_ = machine.GetSystemMetrics(platform::code::kSmMouseWheelPresent) != 0;
}

}  // namespace collectors
