#pragma once
// The joysticks page: the fields of one joystick, its rows and Dutch texts,
// and its collector.

namespace app {

struct CategoryRow;

const CategoryRow& JoysticksCategory();

}  // namespace app
