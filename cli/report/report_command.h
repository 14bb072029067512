#pragma once
// veltrix-report [--category N] [--output FILE] [--machine FILE.json] [--root DIR] [--privacy]
// Writes the report of this machine (or of a simulated or captured one) to
// standard output or a file. Bad input (an unknown option, a category outside
// 0-14, a missing or malformed machine file, an output file that cannot be
// written): one line on standard error, status 2.

#include <ostream>
#include <string>
#include <vector>

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct ReportArguments {
    int category = -1;  // all
    std::string output;
    std::string machineFile;
    std::string root;
    bool help = false;
    bool privacy = false;  // identifiers masked (docs/report-format.md, "Privacy")
};

// Parses the arguments (without the program name); on failure returns false
// and sets `error` to the line to show.
bool ParseReportArguments(const std::vector<std::string>& args, ReportArguments& parsed, std::string& error);

// Without --machine or --root, VELTRIX_MACHINE and VELTRIX_ROOT choose the machine.
int RunReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cli
