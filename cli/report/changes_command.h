#pragma once
// veltrix-report --changes-since EARLIER.json [--against LATER.json] [--all-fields]
// What changed since an earlier JSON report: on the machine being reported
// (this one, --machine or --root), or in a later report (--against, no machine
// read). Text in the report's words and encodings, or --format json
// (docs/changes.schema.json). The statuses, for a scheduler to act on:
//   0 nothing changed (the text form writes nothing)
//   1 changes found
//   2 bad input: an option, a file that is not a report of this layout, a machine
//   3 what changed could not be written

#include <ostream>
#include <string>

#include "cli/common/command_output.h"
#include "cli/report/report_command.h"

namespace cli {

inline constexpr int kExitChangesFound = 1;
inline constexpr int kExitChangesNotWritten = 3;

// The most of a report file that is read: a report of a machine whose
// lists are all full (32,767 devices each) stays below it.
inline constexpr std::size_t kReportFileLimit = 256u << 20;

// The comparison's options against the rest; false with `error` set.
bool ReadComparisonMeanings(const ReportArguments& parsed, std::string& error);

int RunChanges(const ReportArguments& parsed, CommandOutput& out, std::ostream& err);

}  // namespace cli
