#pragma once
// The printers page: the fields of one printer and the printer the page
// shows first, its rows and Dutch texts, and its collector.

namespace app {

struct CategoryRow;

const CategoryRow& PrintersCategory();

}  // namespace app
