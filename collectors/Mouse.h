#pragma once
// The mouse: buttons, their configuration, double-click time and wheel.

#include <cstdint>

#include "platform/machine.h"

namespace collectors {

class Mouse {
public:
    explicit Mouse(platform::Machine& machine);

    std::int32_t ButtonConfiguration() const { return buttonConfiguration_; }  // 1 right-, 2 left-handed
    std::uint8_t Buttons() const { return buttons_; }
    std::int16_t DoubleClickSpeed() const { return doubleClickSpeed_; }  // ms
    bool Wheel() const { return wheel_; }

private:
    std::int32_t buttonConfiguration_ = 0;
    std::uint8_t buttons_ = 0;
    std::int16_t doubleClickSpeed_ = 0;
    bool wheel_ = false;
};

}  // namespace collectors
