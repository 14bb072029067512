#pragma once
// The one table of categories, in tab order, and what one category is: its
// number, its page (tab texts, frame, rows, Dutch lists), how that page is
// made over its collector, whether the 500 ms timer refreshes it, and the
// names its fields have in the JSON document. Each
// category defines its row in its own file (app/pages/<Name>Category.cpp);
// Categories.cpp lists them once. The report writer, the window's start-up,
// its page fills, its timer and the collector set all loop over this table.

#include <span>

#include "app/pages/CategoryKind.h"
#include "app/pages/PageRows.h"

namespace app {

struct CategoryRow {
    Category category;
    CategoryPage page;
    const CategoryKind& kind;
    // The JSON document's name of every field, page-only fields included.
    std::span<const FieldKey> fieldKeys = {};
    bool refreshedByTimer = false;
};

std::span<const CategoryRow> CategoryTable();
const CategoryRow& CategoryRowOf(int category);

}  // namespace app
