#pragma once
// The logical drives page: the fields of one logical drive, its rows and
// Dutch texts, and its collector.

namespace app {

struct CategoryRow;

const CategoryRow& LogicalDrivesCategory();

}  // namespace app
