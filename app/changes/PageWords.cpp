#include "app/changes/PageWords.h"

#include "app/pages/Categories.h"
#include "app/pages/WindowTexts.h"
#include "base/codepage.h"

namespace app::changes {

namespace {

const JsonField* KeyOf(int category, std::string_view jsonKey, const char** captionLabel = nullptr) {
    for (const FieldDeclaration& field : Fields(CategoryRowOf(category))) {
        const JsonField& key = field.json;
        if (!key.key || (jsonKey != key.key && !(key.secondKey && jsonKey == key.secondKey))) continue;
        if (captionLabel) *captionLabel = field.label;
        return &key;
    }
    return nullptr;
}

}  // namespace

int CategoryCount() { return kCategoryCount; }

std::optional<int> CategoryNumberOf(std::string_view jsonName) {
    for (const CategoryRow& row : CategoryTable())
        if (CategoryJsonName(row.category) == jsonName) return static_cast<int>(row.category);
    return std::nullopt;
}

std::string CategoryJsonName(int category) {
    std::string name = CategoryRowOf(category).page.designTabText;
    std::erase(name, ' ');
    return name;
}

bool ListsDevices(int category) { return CategoryRowOf(category).page.multiDevice; }

std::wstring Heading(int category) { return TranslatedWindowTexts().TabText(category); }

std::wstring Caption(int category, std::string_view jsonKey) {
    const char* captionLabel = nullptr;
    if (!KeyOf(category, jsonKey, &captionLabel)) return base::DecodeUtf8(jsonKey);
    std::wstring caption = TranslatedWindowTexts().Caption(captionLabel);
    while (!caption.empty() && (caption.back() == L':' || caption.back() == L' ')) caption.pop_back();
    return caption;
}

std::string_view PairedWith(int category, std::string_view jsonKey) {
    const JsonField* key = KeyOf(category, jsonKey);
    if (!key || !key->secondKey || jsonKey != key->secondKey) return {};
    return key->key;
}

}  // namespace app::changes
