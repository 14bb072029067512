#pragma once
// The network page: the fields of one network card (its name, driver
// version and hardware address), its rows and Dutch texts, and its collector.

namespace app {

struct CategoryRow;

const CategoryRow& NetworkCategory();

}  // namespace app
