#include "app/pages/WindowTexts.h"

#include <functional>
#include <string>
#include <unordered_map>

#include "app/pages/DutchTexts.h"
#include "app/pages/PageRows.h"

namespace app {

namespace {

struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

// The report asks for a caption and a display list for every field of every
// device: looked up once per label, not by walking the pages each time.
struct TranslatedLabels {
    std::unordered_map<std::string_view, std::wstring> captions;                         // by caption label
    std::unordered_map<std::string, std::wstring, NameHash, std::equal_to<>> lists;  // by value label
};

const TranslatedLabels& Labels() {
    static const TranslatedLabels labels = [] {
        TranslatedLabels made;
        for (int category = 0; category < kCategoryCount; ++category)
            for (const PageRow& row : Page(category).rows) {
                made.captions.try_emplace(row.label, DutchCaption(row.designCaption));
                if (row.dutchList) made.lists.try_emplace(ValueLabelName(row.label), DutchList(ValueLabelName(row.label)));
            }
        return made;
    }();
    return labels;
}

}  // namespace

std::wstring TranslatedWindowTexts::TabText(int category) const { return DutchTabText(category); }

std::wstring TranslatedWindowTexts::Caption(std::string_view captionLabel) const {
    const auto& captions = Labels().captions;
    if (const auto found = captions.find(captionLabel); found != captions.end()) return found->second;
    NoSuchLabel(captionLabel);
}

std::wstring TranslatedWindowTexts::ListTag(std::string_view valueLabel) const {
    const auto& lists = Labels().lists;
    if (const auto found = lists.find(valueLabel); found != lists.end()) return found->second;
    return {};
}

}  // namespace app
