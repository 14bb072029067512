#include "cli/report/report_command.h"

#include "app/pages/CollectorSet.h"
#include "app/pages/JsonReport.h"
#include "app/pages/PageRows.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "cli/common/arguments.h"
#include "cli/common/category_argument.h"
#include "cli/report/report_text.h"
#include "platform/machine_factory.h"
#include "platform/report_file.h"
#include "version.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: veltrix-report [--category N|NAME] [--format text|json] [--encoding windows-1252|utf-8]\n"
    "                      [--output FILE] [--machine FILE.json] [--root DIR] [--privacy] [--help] [--version]";

// One line per flag; the record holds its bool.
constexpr FlagOption<ReportArguments> kFlags[] = {
    {"--help", &ReportArguments::help},
    {"-h", &ReportArguments::help},
    {"--version", &ReportArguments::version},
    {"--privacy", &ReportArguments::privacy},
};

constexpr ValueOption<ReportArguments> kValues[] = {
    {"--category", &ReportArguments::category},
    {"--format", &ReportArguments::format},
    {"--encoding", &ReportArguments::encoding},
    {"--output", &ReportArguments::output},
    {"--machine", &ReportArguments::machineFile},
    {"--root", &ReportArguments::root},
};

// One line on standard error; what the user typed or a file held may carry
// terminal controls, so they are shown escaped.
int Fail(std::ostream& err, const std::string& message, int status) {
    return FailureLine(err, "veltrix-report", message, status);
}

// The usage takes two lines: an error line points at it instead.
constexpr const char* kSeeHelp = " (see veltrix-report --help)";

bool ReadMeanings(ReportArguments& parsed, std::string& error) {
    if (!parsed.category.empty()) {
        const auto category = CategoryFromArgument(parsed.category);
        if (!category) {
            error = "category " + Quoted(parsed.category) + " is neither a number from 0 to " +
                    std::to_string(app::kCategoryCount - 1) + " nor a category's name (see --help)";
            return false;
        }
        parsed.categoryNumber = *category;
    }
    const std::string format = AsciiLowered(parsed.format);
    if (format == "json") {
        parsed.reportFormat = ReportFormat::kJson;
    } else if (!format.empty() && format != "text") {
        error = "format " + Quoted(parsed.format) + " is not text or json";
        return false;
    }
    const std::string encoding = AsciiLowered(parsed.encoding);
    if (encoding == "utf-8" || encoding == "utf8") {
        parsed.reportEncoding = ReportEncoding::kUtf8;
    } else if (encoding == "windows-1252" || encoding == "cp1252") {
        parsed.reportEncoding = ReportEncoding::kWindows1252;
    } else if (!encoding.empty()) {
        error = "encoding " + Quoted(parsed.encoding) + " is not windows-1252 or utf-8";
        return false;
    }
    // JSON is UTF-8 by its own rules; only the text report has a choice.
    if (parsed.reportFormat == ReportFormat::kJson && !encoding.empty() &&
        parsed.reportEncoding != ReportEncoding::kUtf8) {
        error = "the JSON report is always UTF-8; --encoding " + Quoted(parsed.encoding) + " is for the text report";
        return false;
    }
    if (!parsed.machineFile.empty() && !parsed.root.empty()) {
        error = "--machine and --root cannot be used together";
        return false;
    }
    return true;
}

std::optional<std::string> Compose(const ReportArguments& parsed, app::CollectorSet& collectors) {
    const app::TranslatedWindowTexts texts;
    if (parsed.reportFormat == ReportFormat::kJson)
        return app::JsonReport(collectors, texts).Compose(parsed.categoryNumber, veltrix::kVersionText);
    const auto lines = app::ReportWriter(collectors, texts).ComposeLines(parsed.categoryNumber);
    if (!lines) return std::nullopt;
    return EncodeReport(*lines, parsed.reportEncoding);
}

// One line for each list the report shows cut at the most a page can show,
// so that a cut is never silent.
void SayCutLists(std::ostream& err, int category, app::CollectorSet& collectors) {
    for (int number = 0; number < app::kCategoryCount; ++number) {
        if (category != app::kAllCategories && category != number) continue;
        app::DevicePage& devices = collectors.Devices(number);
        if (devices.Found() <= static_cast<std::size_t>(devices.Count())) continue;
        err << "veltrix-report: " << CategoryKey(number) << ": " << devices.Count() << " of " << devices.Found()
            << " devices shown, the most a list holds\n";
    }
}

}  // namespace

std::string ReportHelp() {
    return std::string(kUsage) +
           "\n\nWrites the report of this machine: all categories, or the one --category names by\n"
           "number, English or Dutch name (case does not matter):\n" +
           CategoryList() +
           "\n--format json writes one JSON document (its schema: report.schema.json, installed with\n"
           "the documentation, /usr/share/doc/veltrix/ from the package); the text report is\n"
           "Windows-1252 with CR LF unless --encoding utf-8 (then UTF-8 with LF).\n"
           "--machine FILE.json reports a simulated machine, --root DIR a captured tree\n"
           "(or VELTRIX_MACHINE, VELTRIX_ROOT). Status: 0 done, 1 a write failed, 2 bad input.\n";
}

bool ParseReportArguments(const std::vector<std::string>& args, ReportArguments& parsed, std::string& error) {
    ParsedRest rest;
    if (!ParseArguments<ReportArguments>(args, kFlags, kValues, parsed, rest, error)) {
        error += kSeeHelp;
        return false;
    }
    if (!rest.operands.empty()) {
        error = "unexpected argument " + Quoted(rest.operands.front()) + kSeeHelp;
        return false;
    }
    return ReadMeanings(parsed, error);
}

int RunReport(const std::vector<std::string>& args, CommandOutput& out, std::ostream& err) {
    ReportArguments parsed;
    std::string error;
    if (!ParseReportArguments(args, parsed, error)) return Fail(err, error, kExitUsage);
    if (parsed.help || parsed.version) {
        const std::string text =
            parsed.help ? ReportHelp() : "veltrix-report " + std::string(veltrix::kVersionText) + "\n";
        if (out.Write(text, base::CodePage::kUtf8) == platform::OutputResult::kFailed)
            return Fail(err, "cannot write to standard output", kExitFailure);
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
    const auto report = Compose(parsed, collectors);
    if (!report) return Fail(err, "the report could not be composed", kExitFailure);
    if (parsed.output.empty()) {
        // A reader that leaves early (| head -1) ends the command quietly.
        const base::CodePage encoding = parsed.reportFormat == ReportFormat::kJson
                                            ? base::CodePage::kUtf8
                                            : ReportCodePageOf(parsed.reportEncoding);
        if (out.Write(*report, encoding) == platform::OutputResult::kFailed)
            return Fail(err, "cannot write to standard output", kExitFailure);
        SayCutLists(err, parsed.categoryNumber, collectors);
        return kExitOk;
    }
    const auto written = platform::WriteFileReplacing(parsed.output, *report);
    if (!written.ok) return Fail(err, "cannot write " + parsed.output + ": " + written.error, kExitFailure);
    SayCutLists(err, parsed.categoryNumber, collectors);
    return kExitOk;
}

}  // namespace cli
