#pragma once
// The display page: the adapter and its monitor (written once, before the
// modes), and per display mode its size, depth, rate and whether it is the
// mode in use; its rows and Dutch texts, and its collector.

namespace app {

struct CategoryRow;

const CategoryRow& DisplayCategory();

}  // namespace app
