#pragma once
// The one table of categories, in tab order: how each category's page is
// made over its collector, and whether the 500 ms timer refreshes it. The
// report writer, the window's start-up, its page fills, its timer and the
// collector set all loop over this table.

#include <span>

#include "app/pages/CategoryKind.h"
#include "app/pages/PageRows.h"

namespace app {

struct CategoryRow {
    Category category;
    const CategoryKind& kind;
    bool refreshedByTimer = false;
};

std::span<const CategoryRow> CategoryTable();
const CategoryRow& CategoryRowOf(int category);

}  // namespace app
