#include "cli/common/category_argument.h"

#include <charconv>
#include <cstdio>

#include "app/pages/PageRows.h"
#include "base/codepage.h"
#include "cli/common/arguments.h"

namespace cli {

namespace {

std::string WithoutSpaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

}  // namespace

std::string CategoryKey(int category) { return WithoutSpaces(app::Page(category).designTabText); }

std::optional<int> CategoryFromArgument(const std::string& text) {
    int number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec == std::errc() && end == text.data() + text.size())
        return number >= 0 && number < app::kCategoryCount ? std::optional<int>(number) : std::nullopt;
    const std::string wanted = AsciiLowered(text);
    for (int k = 0; k < app::kCategoryCount; ++k) {
        const app::CategoryPage& page = app::Page(k);
        const std::string dutch = base::EncodeUtf8(page.dutchTabText);
        for (const std::string& name : {std::string(page.designTabText), CategoryKey(k), dutch})
            if (AsciiLowered(name) == wanted) return k;
    }
    return std::nullopt;
}

std::string CategoryList() {
    std::string list;
    for (int k = 0; k < app::kCategoryCount; ++k) {
        const app::CategoryPage& page = app::Page(k);
        char line[96];
        std::snprintf(line, sizeof line, "  %2d  %-16s%s\n", k, page.designTabText,
                      base::EncodeUtf8(page.dutchTabText).c_str());
        list += line;
    }
    return list;
}

}  // namespace cli
