#include "app/changes/FieldTraits.h"

#include "app/pages/Categories.h"

namespace app::changes {

namespace {

// The declaration that writes `jsonKey` (a resolution's second number too).
const FieldDeclaration* DeclarationOf(int category, std::string_view jsonKey) {
    if (category < 0 || category >= kCategoryCount || jsonKey.empty()) return nullptr;
    for (const FieldDeclaration& field : Fields(CategoryRowOf(category)))
        if ((field.json.key && jsonKey == field.json.key) || (field.json.secondKey && jsonKey == field.json.secondKey))
            return &field;
    return nullptr;
}

}  // namespace

IdentityRole RoleOf(int category, std::string_view jsonKey) {
    const FieldDeclaration* field = DeclarationOf(category, jsonKey);
    return field ? field->identity : IdentityRole::kNone;
}

bool IsIdentity(int category, std::string_view jsonKey) { return RoleOf(category, jsonKey) != IdentityRole::kNone; }

bool IsLive(int category, std::string_view jsonKey) {
    const FieldDeclaration* field = DeclarationOf(category, jsonKey);
    return field && field->live;
}

}  // namespace app::changes
