#pragma once
// The one table of categories, in tab order, and what one category is: its
// number, its page (tab texts, frame, and its fields, each declared once with
// its place, captions, value, JSON name and meaning), how that page is made
// over its collector and whether the 500 ms timer refreshes it. Each
// category defines its row in its own file (app/pages/<Name>Category.cpp);
// Categories.cpp lists them once. The report writer, the window's start-up,
// its page fills, its timer and the collector set all loop over this table.

#include <span>
#include <string_view>

#include "app/pages/CategoryKind.h"
#include "app/pages/PageRows.h"

namespace app {

struct CategoryRow {
    Category category;
    CategoryPage page;
    const CategoryKind& kind;
    bool refreshedByTimer = false;
};

std::span<const CategoryRow> CategoryTable();
const CategoryRow& CategoryRowOf(int category);

// Every field of a category, declared once (app/pages/FieldDeclaration.h), in
// page order: the index row and other rows without a value included
// (HasValue() false). What a comparison of two reports needs per field is
// here: its JSON key (json.key, and json.secondKey for a pair), its captions,
// `identity` (it names the device) and `live` (it changes by itself).
std::span<const FieldDeclaration> Fields(const CategoryRow& category);
// The declaration of the field with this caption label; std::out_of_range for
// a label the category does not have.
const FieldDeclaration& FieldOf(const CategoryRow& category, std::string_view captionLabel);

}  // namespace app
