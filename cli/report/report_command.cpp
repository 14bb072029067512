#include "cli/report/report_command.h"

#include <charconv>

#include "app/pages/CollectorSet.h"
#include "app/pages/PageRows.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "platform/machine_factory.h"
#include "base/printable_text.h"
#include "platform/report_file.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: veltrix-report [--category N] [--output FILE] [--machine FILE.json] [--root DIR] [--privacy]";

bool ParseCategory(const std::string& text, int& category) {
    int value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value < 0 || value >= app::kCategoryCount) return false;
    category = value;
    return true;
}

// One line on standard error; what the user typed or a file held may carry
// terminal controls, so they are shown escaped.
int Fail(std::ostream& err, const std::string& message, int status) {
    err << "veltrix-report: " << base::EscapeNonPrintable(message) << "\n";
    return status;
}

}  // namespace

bool ParseReportArguments(const std::vector<std::string>& args, ReportArguments& parsed, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            parsed.help = true;
            continue;
        }
        if (arg == "--privacy") {
            parsed.privacy = true;
            continue;
        }
        // Options take their value as the next argument or after "=".
        std::string name = arg, value;
        bool hasValue = false;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        if (name != "--category" && name != "--output" && name != "--machine" && name != "--root") {
            error = "unknown option \"" + arg + "\"; " + kUsage;
            return false;
        }
        if (!hasValue) {
            if (i + 1 == args.size()) {
                error = "option " + name + " needs a value; " + kUsage;
                return false;
            }
            value = args[++i];
        }
        if (name == "--category") {
            if (!ParseCategory(value, parsed.category)) {
                error = "category \"" + value + "\" is not a number from 0 to " + std::to_string(app::kCategoryCount - 1);
                return false;
            }
        } else if (value.empty()) {
            error = "option " + name + " needs a non-empty value";
            return false;
        } else if (name == "--output") {
            parsed.output = value;
        } else if (name == "--machine") {
            parsed.machineFile = value;
        } else {
            parsed.root = value;
        }
    }
    if (!parsed.machineFile.empty() && !parsed.root.empty()) {
        error = "--machine and --root cannot be used together";
        return false;
    }
    return true;
}

int RunReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ReportArguments parsed;
    std::string error;
    if (!ParseReportArguments(args, parsed, error)) return Fail(err, error, kExitUsage);
    if (parsed.help) {
        out << kUsage << "\n";
        return kExitOk;
    }

    platform::MachineOptions options = platform::MachineOptionsFromEnvironment();
    // The command line chooses for itself, whatever the environment says.
    if (!parsed.machineFile.empty() || !parsed.root.empty()) {
        options = platform::MachineOptions();
        options.machineFile = parsed.machineFile;
        if (!parsed.root.empty()) options.root = parsed.root;
    }
    options.privacy = parsed.privacy;
    auto created = platform::CreateMachine(options);
    if (!created.machine) return Fail(err, created.error, kExitUsage);

    app::CollectorSet collectors(*created.machine);
    const app::TranslatedWindowTexts texts;
    const auto report = app::ReportWriter(collectors, texts).Compose(parsed.category);
    if (!report) return Fail(err, "the report could not be composed", kExitFailure);
    if (parsed.output.empty()) {
        out.write(report->data(), static_cast<std::streamsize>(report->size()));
        out.flush();
        if (!out) return Fail(err, "cannot write to standard output", kExitFailure);
        return kExitOk;
    }
    const auto written = platform::WriteFileReplacing(parsed.output, *report);
    if (!written.ok) return Fail(err, "cannot write " + parsed.output + ": " + written.error, kExitUsage);
    return kExitOk;
}

}  // namespace cli
