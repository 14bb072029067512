#pragma once
// The text report: one block per category (heading, underline of "-" as long
// as the heading, then "caption value" lines), blocks separated by one empty
// line, every line ending in CR LF, text in the system's ANSI code page
// (base::ReportCodePage: Windows-1252 on Linux). The whole report is
// composed before anything is written, so a failure never leaves half a file.

#include <optional>
#include <string>
#include <vector>

#include "app/pages/CollectorSet.h"
#include "app/pages/WindowTexts.h"
#include "base/system_codepages.h"

namespace app {

inline constexpr int kAllCategories = -1;

class ReportWriter {
public:
    ReportWriter(CollectorSet& collectors, const WindowTexts& texts) : collectors_(collectors), texts_(texts) {}

    // The lines of one category (0-14) or of all of them (kAllCategories);
    // nothing when a list row names an entry its list does not have.
    std::optional<std::vector<std::wstring>> ComposeLines(int category);

    // The file's bytes: the report's code page, CR LF after every line; control
    // characters written as "\xHH" (base::PrintableText).
    static std::string Encode(const std::vector<std::wstring>& lines, base::CodePage page = base::ReportCodePage());

    std::optional<std::string> Compose(int category) {
        auto lines = ComposeLines(category);
        if (!lines) return std::nullopt;
        return Encode(*lines);
    }

private:
    class Block;
    bool WriteCategory(int category, std::vector<std::wstring>& lines);

    CollectorSet& collectors_;
    const WindowTexts& texts_;
};

}  // namespace app
