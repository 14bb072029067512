#include "app/ReportWriter.h"

#include "app/CategoryFields.h"
#include "app/DutchTexts.h"
#include "app/PageRows.h"
#include "app/ValueLists.h"
#include "platform/codepage.h"

namespace app {

// The lines of one category block; `ok` turns false at the first list entry
// that does not exist.
class ReportWriter::Block {
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

    template <typename Source>
    void Fields(std::span<const Field<Source>> fields, const Source& source, const format::FormatEx& format) {
        for (const auto& field : fields) {
            const FieldValue v = field.value(source, format);
            if (field.kind == FieldKind::kText) {
                Line(field.captionLabel, v.valid ? v.text : std::wstring(v.fallback));
                continue;
            }
            const auto entry =
                GetListValue(texts_.ListTag(ValueLabelName(field.captionLabel)), v.valid, v.listIndex, v.fallback);
            if (!entry) {
                ok = false;
                return;
            }
            Line(field.captionLabel, *entry);
        }
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
    switch (category) {
        case kProcessor: block.Fields(ProcessorFields(), collectors_.Processor(), format); break;
        case kMemoryUsage: block.Fields(MemoryUsageFields(), collectors_.MemoryUsage(), format); break;
        case kKeyboard: block.Fields(KeyboardFields(), collectors_.Keyboard(), format); break;
        case kMouse: block.Fields(MouseFields(), collectors_.Mouse(), format); break;
        case kBattery: block.Fields(BatteryFields(), collectors_.Battery(), format); break;
        case kDisplay:
            // The adapter-wide lines stand before the (so far empty) list of modes.
            block.Line("LabelDisplayName", std::wstring(kUnknown));
            block.Line("LabelDisplayMonitor", std::wstring(kUnknown));
            block.EmptyLine();
            break;
        default:
            // A device category whose collector finds no devices: heading only.
            break;
    }
    return block.ok;
}

std::string ReportWriter::Encode(const std::vector<std::wstring>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += platform::EncodeWindows1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace app
