#include "cli/report/report_text.h"

#include "app/pages/ReportWriter.h"
#include "base/codepage.h"
#include "base/printable_text.h"

namespace cli {

std::string EncodeReport(const std::vector<std::wstring>& lines, ReportEncoding encoding) {
    if (encoding == ReportEncoding::kSaved) return app::ReportWriter::Encode(lines);
    if (encoding == ReportEncoding::kWindows1252) return app::ReportWriter::Encode(lines, base::CodePage::kWindows1252);
    std::string bytes;
    for (const auto& line : lines) {
        bytes += base::EncodeUtf8(base::PrintableText(line));
        bytes += '\n';
    }
    return bytes;
}

}  // namespace cli
