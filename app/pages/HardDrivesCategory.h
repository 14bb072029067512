#pragma once
// The hard drives page: the fields of one hard drive, its rows and Dutch
// texts, and its collector.

namespace app {

struct CategoryRow;

const CategoryRow& HardDrivesCategory();

}  // namespace app
