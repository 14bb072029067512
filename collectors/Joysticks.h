#pragma once
// The game controllers the joystick service knows: every slot that answers,
// in slot order. The item index is not the slot number.

#include <cstdint>
#include <string>

#include "collectors/Collection.h"
#include "platform/machine.h"

namespace collectors {

class JoystickItem {
public:
    const std::wstring& Name() const { return name_; }
    std::uint8_t Axes() const { return axes_; }
    std::uint8_t Buttons() const { return buttons_; }

private:
    friend class Joysticks;
    std::wstring name_;
    std::uint8_t axes_ = 0;
    std::uint8_t buttons_ = 0;
};

class Joysticks : public Collection<JoystickItem> {
public:
    explicit Joysticks(platform::Machine& machine);
};

}  // namespace collectors
