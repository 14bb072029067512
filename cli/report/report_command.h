#pragma once
// veltrix-report [--category N|NAME] [--format text|json]
//                [--encoding windows-1252|utf-8] [--output FILE]
//                [--machine FILE.json] [--root DIR] [--privacy] [--help] [--version]
//                [--changes-since EARLIER.json [--against LATER.json] [--all-fields]]
// Writes the report of this machine (or of a simulated or captured one) to
// standard output or a file. Bad input (an unknown option, an unknown
// category, a missing or malformed machine file): one line on standard error,
// status 2. A write that fails: one line, status 1. A reader that closes the
// pipe early: nothing, status 0. With --changes-since the statuses are those
// of a comparison (cli/report/changes_command.h).

#include <ostream>
#include <string>
#include <vector>

#include "cli/common/command_output.h"

namespace cli {

enum class ReportFormat { kText, kJson };
// kSaved: what the window saves (Windows-1252 on Linux, the system's ANSI
// code page on Windows); kWindows1252 when asked for by name, on any system.
enum class ReportEncoding { kSaved, kWindows1252, kUtf8 };

struct ReportArguments {
    // As typed; what they mean is read by ParseReportArguments.
    std::string category;
    std::string format;
    std::string encoding;
    std::string output;
    std::string machineFile;
    std::string root;
    bool help = false;
    bool version = false;
    bool privacy = false;  // identifiers masked (docs/report-format.md, "Privacy")
    std::string changesSince;  // the earlier JSON report to compare with
    std::string against;       // the later one, instead of the machine
    bool allFields = false;    // compare values that change by themselves too

    int categoryNumber = -1;  // all
    ReportFormat reportFormat = ReportFormat::kText;
    ReportEncoding reportEncoding = ReportEncoding::kSaved;
};

// Parses the arguments (without the program name); on failure returns false
// and sets `error` to the line to show.
bool ParseReportArguments(const std::vector<std::string>& args, ReportArguments& parsed, std::string& error);

// The usage line and the list of categories (--help).
std::string ReportHelp();

// Without --machine or --root, VELTRIX_MACHINE and VELTRIX_ROOT choose the machine.
int RunReport(const std::vector<std::string>& args, CommandOutput& out, std::ostream& err);

}  // namespace cli
