#include "app/pages/DutchTexts.h"

#include <algorithm>

#include "app/pages/Categories.h"

namespace app {

// Every category carries its own Dutch texts (its tab, its rows' captions,
// its value labels' lists); these read them from the category table.

std::wstring DutchTabText(int category) { return CategoryRowOf(category).page.dutchTabText; }

std::wstring DutchCaption(std::string_view designCaption) {
    for (const CategoryRow& category : CategoryTable())
        for (const FieldDeclaration& row : Fields(category))
            if (designCaption == row.designCaption) return row.dutchCaption;
    return {};
}

std::wstring DutchList(std::string_view valueLabel) {
    for (const CategoryRow& category : CategoryTable())
        for (const FieldDeclaration& field : Fields(category))
            if (field.dutchList && valueLabel == ValueLabelName(field.label)) return field.dutchList;
    return {};
}

std::vector<std::string_view> TranslatedDesignCaptions() {
    std::vector<std::string_view> captions;
    for (const CategoryRow& category : CategoryTable())
        for (const FieldDeclaration& row : Fields(category))
            if (std::find(captions.begin(), captions.end(), row.designCaption) == captions.end())
                captions.push_back(row.designCaption);
    return captions;
}

std::vector<std::string> ValueLabelsWithLists() {
    std::vector<std::string> labels;
    for (const CategoryRow& category : CategoryTable())
        for (const FieldDeclaration& field : Fields(category))
            if (field.dutchList) labels.push_back(ValueLabelName(field.label));
    return labels;
}

std::wstring DutchSaveAsText() { return L"Opslaan &Als..."; }
std::wstring DutchSaveAllAsText() { return L"Opslaan A&lle Als..."; }
// Appended, not summed: GCC 12 with fortified calls takes the moves of a sum
// of wide strings for an overflowing wmemcpy (a false warning).
std::wstring DutchAboutText() { return std::wstring(L"&Over ").append(kProductName).append(L"..."); }

std::wstring CaptionFromMenuText(std::wstring_view menuText) {
    std::wstring text;
    for (wchar_t c : menuText)
        if (c != L'&') text += c;
    for (std::size_t at; (at = text.find(L"...")) != std::wstring::npos;) text.erase(at, 3);
    return text;
}

}  // namespace app
