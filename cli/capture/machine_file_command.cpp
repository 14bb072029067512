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

constexpr const char* kUsage = "usage: veltrix-capture [--privacy] [--help] [--version] FILE.json";

struct FileArguments {
    bool help = false;
    bool version = false;
    bool privacy = false;
};

constexpr FlagOption<FileArguments> kFlags[] = {
    {"--help", &FileArguments::help},
    {"-h", &FileArguments::help},
    {"--version", &FileArguments::version},
    {"--privacy", &FileArguments::privacy},
};

}  // namespace

int RunMachineFileCapture(const std::vector<std::string>& args, CommandOutput& out, std::ostream& err) {
    FileArguments parsed;
    ParsedRest rest;
    std::string error;
    if (!ParseArguments<FileArguments>(args, kFlags, {}, parsed, rest, error))
        return Fail(err, error + " (see veltrix-capture --help)", kExitUsage);
    if (parsed.help || parsed.version) {
        const std::string text =
            parsed.help ? std::string(kUsage) +
                              "\n\nWrites what Veltrix asks of this machine, and what it answered, into FILE.json\n"
                              "(replaced only by a complete file); veltrix-report --machine FILE.json then\n"
                              "reports this machine anywhere. --privacy masks serial numbers, MAC addresses,\n"
                              "host and user names. Status: 0 done, 1 the capture could not be made, 2 bad input.\n"
                        : "veltrix-capture " + std::string(veltrix::kVersionText) + "\n";
        if (out.Write(text, base::CodePage::kUtf8) == platform::OutputResult::kFailed)
            return Fail(err, "cannot write to standard output", kExitFailure);
        return kExitOk;
    }
    if (rest.operands.size() != 1)
        return Fail(err, "expected one machine file to write (see veltrix-capture --help)", kExitUsage);
    MachineFileCapture capture;
    capture.file = rest.operands[0];
    capture.maskFile = parsed.privacy;
    return WriteMachineFileCapture(capture, out, err);
}

int WriteMachineFileCapture(const MachineFileCapture& capture, CommandOutput& out, std::ostream& err) {
    platform::MachineOptions options;
    options.root = capture.root;
    options.privacy = capture.privacy;
    auto created = platform::CreateMachine(options);
    if (!created.machine) return Fail(err, created.error, kExitFailure);
    const std::string text =
        CaptureMachineFile(*created.machine, Comment(capture.privacy || capture.maskFile), capture.maskFile);
    const auto written = platform::WriteFileReplacing(capture.file, text);
    if (!written.ok) return Fail(err, "cannot write " + capture.file + ": " + written.error, kExitFailure);
    const std::string done = "veltrix-capture: machine file written to " + base::EscapeNonPrintable(capture.file) + "\n";
    // The file is written; a reader that has left early changes nothing.
    if (out.Write(done, base::CodePage::kUtf8) == platform::OutputResult::kFailed)
        return Fail(err, "cannot write to standard output", kExitFailure);
    return kExitOk;
}

}  // namespace cli
