#include "cli/capture/capture_command.h"

#include "cli/capture/machine_capture.h"
#include "cli/capture/machine_file_command.h"
#include "platform/linux/io/capture_writer.h"
#include "platform/linux/areas/linux_machine.h"
#include "base/printable_text.h"
#include "cli/common/arguments.h"
#include "version.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: veltrix-capture [--privacy] [--help] [--version] DIR\n"
    "       veltrix-capture [--privacy] [--root DIR] --machine-file FILE.json";

// One line per flag; the record holds its bool.
constexpr FlagOption<CaptureArguments> kFlags[] = {
    {"--help", &CaptureArguments::help},
    {"-h", &CaptureArguments::help},
    {"--version", &CaptureArguments::version},
    {"--privacy", &CaptureArguments::privacy},
};

constexpr ValueOption<CaptureArguments> kValues[] = {
    {"--machine-file", &CaptureArguments::machineFile},
    {"--root", &CaptureArguments::root},
};

using platform::linux_backend::CaptureLog;

std::string About(const CaptureLog& log, bool privacy) {
    std::string about = "Captured by veltrix-capture " + std::string(veltrix::kVersionText) + " on a live machine.\n";
    if (privacy) about += "Identifiers are masked (--privacy): MAC addresses, serial numbers, host and user names.\n";
    about += "Files: " + std::to_string(log.Files().size()) + ", directories listed: " +
             std::to_string(log.Directories().size()) + ", recorded replies: " + std::to_string(log.Replies().size()) +
             ".\n";
    if (const auto release = log.Files().find("/proc/sys/kernel/osrelease"); release != log.Files().end())
        about += "Kernel: " + release->second;
    return about;
}

// One line on standard error, with what came from outside escaped.
int Fail(std::ostream& err, const std::string& message, int status) {
    return FailureLine(err, "veltrix-capture", message, status);
}

}  // namespace

bool ParseCaptureArguments(const std::vector<std::string>& args, CaptureArguments& parsed, std::string& error) {
    ParsedRest rest;
    if (!ParseArguments<CaptureArguments>(args, kFlags, kValues, parsed, rest, error)) {
        error += " (see veltrix-capture --help)";
        return false;
    }
    if (parsed.help || parsed.version) return true;
    if (!parsed.machineFile.empty()) {
        if (!rest.operands.empty()) {
            error = "unexpected argument " + Quoted(rest.operands.front()) + " (see veltrix-capture --help)";
            return false;
        }
        return true;
    }
    if (!parsed.root.empty()) {
        error = "--root is for --machine-file (see veltrix-capture --help)";
        return false;
    }
    if (rest.operands.size() != 1 || rest.operands[0].empty()) {
        error = "expected one directory to capture into (see veltrix-capture --help)";
        return false;
    }
    parsed.directory = rest.operands[0];
    return true;
}

int RunCapture(const std::vector<std::string>& args, CommandOutput& out, std::ostream& err) {
    CaptureArguments parsed;
    std::string error;
    if (!ParseCaptureArguments(args, parsed, error)) return Fail(err, error, kExitUsage);
    if (parsed.help || parsed.version) {
        const std::string text = parsed.help ? std::string(kUsage) +
                                                   "\n\nCopies what Veltrix reads on this machine into DIR (new or "
                                                   "empty);\nveltrix-report --root DIR then reports it anywhere. "
                                                   "--machine-file writes what the machine\nanswered as a machine "
                                                   "file instead (of the tree --root names, if given);\n"
                                                   "veltrix-report --machine FILE.json reports it. --privacy masks "
                                                   "serial numbers,\nMAC addresses, host and user names. "
                                                   "Status: 0 done, 1 the capture\ncould not be made, 2 bad input.\n"
                                             : "veltrix-capture " + std::string(veltrix::kVersionText) + "\n";
        if (out.Write(text, base::CodePage::kUtf8) == platform::OutputResult::kFailed)
            return Fail(err, "cannot write to standard output", kExitFailure);
        return kExitOk;
    }
    if (!parsed.machineFile.empty()) {
        MachineFileCapture capture;
        capture.file = parsed.machineFile;
        if (!parsed.root.empty()) capture.root = parsed.root;
        capture.privacy = parsed.privacy;
        return WriteMachineFileCapture(capture, out, err);
    }
    const std::string& directory = parsed.directory;
    // Made and tried before the capture runs: a target that cannot take it
    // is refused at once, not after the whole machine was read.
    platform::linux_backend::CaptureTarget target(directory);
    if (!target.IsOpen()) return Fail(err, target.Error(), kExitUsage);

    CaptureLog log;
    {
        platform::linux_backend::LinuxMachineOptions options;
        options.root = std::string(1, '/');  // not = "/": GCC 12 -O3 warns (-Wrestrict)
        options.capture = &log;
        options.privacy = parsed.privacy;
        platform::linux_backend::LinuxMachine machine(std::move(options));
        if (!machine.OpenError().empty()) {
            target.Abandon();
            return Fail(err, machine.OpenError(), kExitFailure);
        }
        AskEverything(machine);
    }
    const std::string about = About(log, parsed.privacy);
    if (auto problem = platform::linux_backend::WriteCapture(log, target, about); !problem.empty())
        return Fail(err, problem, kExitFailure);
    const std::string done = "veltrix-capture: " + std::to_string(log.Files().size()) + " files and " +
                             std::to_string(log.Replies().size()) + " recorded replies written to " +
                             base::EscapeNonPrintable(directory) + "\n";
    // The capture is made; a reader that has left early changes nothing.
    if (out.Write(done, base::CodePage::kUtf8) == platform::OutputResult::kFailed)
        return Fail(err, "cannot write to standard output", kExitFailure);
    return kExitOk;
}

}  // namespace cli
