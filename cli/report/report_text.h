#pragma once
// The text report's bytes in the chosen encoding. Both pass every line
// through the one rule for machine text (base::PrintableText) first.
//   windows-1252: CR LF after every line, "?" for what the code page lacks:
//                 byte for byte what the window saves.
//   utf-8:        LF after every line, every character kept.

#include <string>
#include <vector>

#include "base/codepage.h"
#include "cli/report/report_command.h"

namespace cli {

std::string EncodeReport(const std::vector<std::wstring>& lines, ReportEncoding encoding);
// The code page of EncodeReport's bytes (the saved one is the system's ANSI code page).
base::CodePage ReportCodePageOf(ReportEncoding encoding);

}  // namespace cli
