#include "cli/capture/capture_command.h"

#include "app/pages/Categories.h"
#include "app/pages/CollectorSet.h"
#include "collectors/Keyboard.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "collectors/OperatingSystem.h"
#include "platform/linux/io/capture_writer.h"
#include "platform/linux/areas/linux_machine.h"
#include "base/printable_text.h"
#include "version.h"

namespace cli {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr const char* kUsage = "usage: veltrix-capture [--privacy] DIR";

using platform::linux_backend::CaptureLog;

class NoFields final : public app::FieldSink {
public:
    void Write(const char*, app::FieldKind, const app::FieldValue&) override {}
};

// Asks everything the report asks, and what the window asks besides.
void RunEverything(platform::Machine& machine) {
    app::CollectorSet collectors(machine);
    const app::TranslatedWindowTexts texts;
    (void)app::ReportWriter(collectors, texts).Compose(app::kAllCategories);
    // One tick of the window's timer, and the Tab key the tab strip asks for.
    NoFields ignored;
    for (const app::CategoryRow& row : app::CategoryTable())
        if (row.refreshedByTimer) collectors.Devices(row.category).Refresh(ignored, collectors.Format());
    (void)collectors::Keyboard(machine).IsTabKey();
    const collectors::OperatingSystem system(machine);
    (void)machine.GetRegionalSettings();
}

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
    err << "veltrix-capture: " << base::EscapeNonPrintable(message) << "\n";
    return status;
}

}  // namespace

int RunCapture(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() == 1 && (arguments[0] == "-h" || arguments[0] == "--help")) {
        out << kUsage << "\n";
        return kExitOk;
    }
    std::vector<std::string> args;
    bool privacy = false;
    for (const std::string& arg : arguments) {
        if (arg == "--privacy") privacy = true;
        else args.push_back(arg);
    }
    if (args.size() != 1 || args[0].empty() || args[0].front() == '-') return Fail(err, kUsage, kExitUsage);
    const std::string& directory = args[0];
    // Made and tried before the capture runs: a target that cannot take it
    // is refused at once, not after the whole machine was read.
    platform::linux_backend::CaptureTarget target(directory);
    if (!target.IsOpen()) return Fail(err, target.Error(), kExitUsage);

    CaptureLog log;
    {
        platform::linux_backend::LinuxMachineOptions options;
        options.root = "/";
        options.capture = &log;
        options.privacy = privacy;
        platform::linux_backend::LinuxMachine machine(std::move(options));
        if (!machine.OpenError().empty()) {
            target.Abandon();
            return Fail(err, machine.OpenError(), kExitFailure);
        }
        RunEverything(machine);
    }
    if (auto problem = platform::linux_backend::WriteCapture(log, target, About(log, privacy)); !problem.empty())
        return Fail(err, problem, kExitFailure);
    out << "veltrix-capture: " << log.Files().size() << " files and " << log.Replies().size()
        << " recorded replies written to " << base::EscapeNonPrintable(directory) << "\n";
    return kExitOk;
}

}  // namespace cli
