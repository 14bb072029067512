#include "cli/report/report_io.h"

#include "app/pages/PageRows.h"
#include "app/pages/ReportWriter.h"
#include "cli/capture/machine_capture.h"
#include "cli/common/category_argument.h"
#include "platform/report_file.h"

namespace cli {

namespace {

// A machine file masks nothing itself: it is captured with its identifiers
// masked, as veltrix-capture --privacy writes it, and the masked file is
// what is reported. Under one VELTRIX_PRIVACY_KEY the masks are the same
// from run to run.
platform::MachineOrError CreateMaskedFileMachine(platform::MachineOptions options) {
    options.privacy = false;
    platform::MachineOrError original = platform::CreateMachine(options);
    if (!original.machine) return original;
    return platform::CreateMachineFromText(CaptureMachineFile(*original.machine, "masked", true), options.machineFile);
}

}  // namespace

platform::MachineOrError CreateReportMachine(const ReportArguments& parsed) {
    platform::MachineOptions options = platform::MachineOptionsFromEnvironment();
    // The command line chooses for itself, whatever the environment says.
    if (!parsed.machineFile.empty() || !parsed.root.empty()) {
        options = platform::MachineOptions();
        options.machineFile = parsed.machineFile;
        if (!parsed.root.empty()) options.root = parsed.root;
    }
    options.privacy = parsed.privacy;
    if (options.privacy && !options.machineFile.empty()) return CreateMaskedFileMachine(options);
    return platform::CreateMachine(options);
}

std::optional<std::string> Deliver(const ReportArguments& parsed, const std::string& bytes, base::CodePage encoding,
                                   CommandOutput& out) {
    if (parsed.output.empty()) {
        // A reader that leaves early (| head -1) ends the command quietly.
        if (out.Write(bytes, encoding) == platform::OutputResult::kFailed) return "cannot write to standard output";
        return std::nullopt;
    }
    const auto written = platform::WriteFileReplacing(parsed.output, bytes);
    if (!written.ok) return "cannot write " + parsed.output + ": " + written.error;
    return std::nullopt;
}

void SayCutLists(std::ostream& err, int category, app::CollectorSet& collectors) {
    for (int number = 0; number < app::kCategoryCount; ++number) {
        if (category != app::kAllCategories && category != number) continue;
        app::DevicePage& devices = collectors.Devices(number);
        if (devices.Found() <= static_cast<std::size_t>(devices.Count())) continue;
        err << "veltrix-report: " << CategoryKey(number) << ": " << devices.Count() << " of " << devices.Found()
            << " devices shown, the most a list holds\n";
    }
}

}  // namespace cli
