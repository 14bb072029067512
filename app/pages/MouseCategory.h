#pragma once
// The mouse page: the fields of the mouse, its rows and Dutch texts, and its
// collector.

namespace app {

struct CategoryRow;

const CategoryRow& MouseCategory();

}  // namespace app
