#include "app/pages/ReportWriter.h"

#include "app/pages/Categories.h"
#include "app/pages/DutchTexts.h"
#include "app/pages/PageRows.h"
#include "app/pages/ValueLists.h"
#include "base/codepage.h"
#include "base/printable_text.h"
#include "base/system_codepages.h"

namespace app {

// The lines of one category block; `ok` turns false at the first list entry
// that does not exist.
class ReportWriter::Block final : public FieldSink {
public:
    Block(const WindowTexts& texts, std::vector<std::wstring>& lines) : texts_(texts), lines_(lines) {}

    void Heading(int category) {
        const std::wstring heading = texts_.TabText(category);
        lines_.push_back(heading);
        lines_.push_back(std::wstring(heading.size(), L'-'));
    }

    void Line(const std::string& captionLabel, const std::wstring& value) {
        lines_.push_back(texts_.Caption(captionLabel) + L" " + value);
    }

    void EmptyLine() { lines_.emplace_back(); }

    bool WritesPageOnlyFields() const override { return false; }

    void Write(const char* captionLabel, FieldKind kind, const FieldValue& v) override {
        if (!ok) return;
        if (kind == FieldKind::kText) {
            const std::wstring_view fallback = v.reportFallback.empty() ? v.fallback : v.reportFallback;
            Line(captionLabel, v.valid ? v.text : std::wstring(fallback));
            return;
        }
        const auto entry = GetListValue(texts_.ListTag(ValueLabelName(captionLabel)), v.valid, v.listIndex, v.fallback);
        if (!entry) {
            ok = false;
            return;
        }
        Line(captionLabel, *entry);
    }

    bool ok = true;

private:
    const WindowTexts& texts_;
    std::vector<std::wstring>& lines_;
};

std::optional<std::vector<std::wstring>> ReportWriter::ComposeLines(int category) {
    std::vector<std::wstring> lines;
    for (int k = 0; k < kCategoryCount; ++k) {
        if (category != kAllCategories && category != k) continue;
        if (category == kAllCategories && k != 0) lines.emplace_back();
        if (!WriteCategory(k, lines)) return std::nullopt;
    }
    return lines;
}

bool ReportWriter::WriteCategory(int category, std::vector<std::wstring>& lines) {
    Block block(texts_, lines);
    block.Heading(category);
    const format::FormatEx& format = collectors_.Format();
    DevicePage& devices = collectors_.Devices(category);
    if (!Page(category).multiDevice) {
        devices.WriteItemFields(0, block, format);
        return block.ok;
    }
    if (CategoryRowOf(category).kind.HasCollectionFields()) {
        // The collection-wide lines stand before the devices, with an empty line.
        devices.WriteCollectionFields(block, format);
        block.EmptyLine();
    }
    for (std::int16_t i = 0; i < devices.Count(); ++i) {
        if (i > 0) block.EmptyLine();
        block.Line(IndexLabelName(category), std::to_wstring(i));
        devices.WriteItemFields(i, block, format);
    }
    return block.ok;
}

std::string ReportWriter::Encode(const std::vector<std::wstring>& lines, base::CodePage page) {
    std::string bytes;
    for (const auto& line : lines) {
        // The report's edge: machine text with its controls escaped, so no
        // value starts a line or reaches a terminal raw; "?" for what
        // the report's code page cannot hold.
        bytes += base::EncodeText(page, base::PrintableText(line));
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace app
