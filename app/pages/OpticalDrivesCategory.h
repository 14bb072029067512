#pragma once
// The optical drives page: the fields of one optical drive, its rows and
// Dutch texts, and its collector.

namespace app {

struct CategoryRow;

const CategoryRow& OpticalDrivesCategory();

}  // namespace app
