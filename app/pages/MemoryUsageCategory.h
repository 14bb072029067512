#pragma once
// The memory usage page: the fields of physical and virtual memory and the
// load, its rows and Dutch texts, and its collector; the timer rewrites
// every field.

namespace app {

struct CategoryRow;

const CategoryRow& MemoryUsageCategory();

}  // namespace app
