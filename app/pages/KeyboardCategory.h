#pragma once
// The keyboard page: the fields of the keyboard, its rows and Dutch texts,
// and its collector; the timer rewrites the three lock keys.

namespace app {

struct CategoryRow;

const CategoryRow& KeyboardCategory();

}  // namespace app
