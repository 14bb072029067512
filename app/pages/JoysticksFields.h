#pragma once
// The fields of one joystick.

#include <span>

#include "app/pages/FieldValues.h"
#include "collectors/Joysticks.h"

namespace app {

std::span<const Field<collectors::JoystickItem>> JoysticksFields();

}  // namespace app
