#include "cli/capture/machine_file_command.h"

#include "base/printable_text.h"
#include "cli/capture/machine_capture.h"
#include "cli/common/arguments.h"
#include "platform/machine_factory.h"
#include "platform/report_file.h"
#include "version.h"

namespace cli {

namespace {

int Fail(std::ostream& err, const std::string& message, int status) {
    return FailureLine(err, "veltrix-capture", message, status);
}

std::string Comment(bool privacy) {
    std::string comment = "Captured by veltrix-capture " + std::string(veltrix::kVersionText) + ".";
    if (privacy) comment += " Identifiers are masked (--privacy): serial numbers, MAC addresses, host and user names.";
    return comment;
}

}  // namespace

int WriteMachineFileCapture(const MachineFileCapture& capture, CommandOutput& out, std::ostream& err) {
    platform::MachineOptions options;
    options.root = capture.root;
    options.privacy = capture.privacy;
    auto created = platform::CreateMachine(options);
    if (!created.machine) return Fail(err, created.error, kExitFailure);
    const std::string text = CaptureMachineFile(*created.machine, Comment(capture.privacy));
    const auto written = platform::WriteFileReplacing(capture.file, text);
    if (!written.ok) return Fail(err, "cannot write " + capture.file + ": " + written.error, kExitFailure);
    const std::string done = "veltrix-capture: machine file written to " + base::EscapeNonPrintable(capture.file) + "\n";
    // The file is written; a reader that has left early changes nothing.
    if (out.Write(done, base::CodePage::kUtf8) == platform::OutputResult::kFailed)
        return Fail(err, "cannot write to standard output", kExitFailure);
    return kExitOk;
}

}  // namespace cli
