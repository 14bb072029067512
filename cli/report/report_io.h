#pragma once
// What the report and the comparison share: the machine the command line (or
// the environment) names, where the bytes go, and the line about lists cut at
// the most a page holds.

#include <optional>
#include <ostream>
#include <string>

#include "app/pages/CollectorSet.h"
#include "base/codepage.h"
#include "cli/common/command_output.h"
#include "cli/report/report_command.h"
#include "platform/machine_factory.h"

namespace cli {

// --machine or --root when given, else VELTRIX_MACHINE or VELTRIX_ROOT; --privacy
// (a machine file is reported as its masked capture).
platform::MachineOrError CreateReportMachine(const ReportArguments& parsed);

// Writes `bytes` (text in `encoding`) to standard output, or replaces the
// --output file with them. The error line when that failed; a reader that
// closed the pipe early is no failure.
std::optional<std::string> Deliver(const ReportArguments& parsed, const std::string& bytes, base::CodePage encoding,
                                   CommandOutput& out);

// One line for each list the report shows cut at the most a page can show,
// so that a cut is never silent.
void SayCutLists(std::ostream& err, int category, app::CollectorSet& collectors);

}  // namespace cli
