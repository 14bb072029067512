#pragma once
// The ports page: the fields of one port (the report writes only its
// name), its rows and Dutch texts, and its collector.

namespace app {

struct CategoryRow;

const CategoryRow& PortsCategory();

}  // namespace app
