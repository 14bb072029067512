#include "app/pages/WindowTexts.h"

#include "app/pages/DutchTexts.h"
#include "app/pages/PageRows.h"

namespace app {

std::wstring TranslatedWindowTexts::TabText(int category) const { return DutchTabText(category); }

std::wstring TranslatedWindowTexts::Caption(std::string_view captionLabel) const {
    for (int category = 0; category < kCategoryCount; ++category)
        for (const PageRow& row : Page(category).rows)
            if (captionLabel == row.label) return DutchCaption(row.designCaption);
    NoSuchLabel(captionLabel);
}

std::wstring TranslatedWindowTexts::ListTag(std::string_view valueLabel) const { return DutchList(valueLabel); }

}  // namespace app
