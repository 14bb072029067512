#include "cli/report/report_text.h"

#include "app/pages/ReportWriter.h"
#include "base/codepage.h"
#include "base/printable_text.h"
#include "base/system_codepages.h"

namespace cli {

base::CodePage ReportCodePageOf(ReportEncoding encoding) {
    switch (encoding) {
    case ReportEncoding::kWindows1252: return base::CodePage::kWindows1252;
    case ReportEncoding::kUtf8: return base::CodePage::kUtf8;
    case ReportEncoding::kSaved: break;
    }
    return base::ReportCodePage();
}

std::string EncodeReport(const std::vector<std::wstring>& lines, ReportEncoding encoding) {
    if (encoding != ReportEncoding::kUtf8) return app::ReportWriter::Encode(lines, ReportCodePageOf(encoding));
    std::string bytes;
    for (const auto& line : lines) {
        bytes += base::EncodeUtf8(base::PrintableText(line));
        bytes += '\n';
    }
    return bytes;
}

}  // namespace cli
