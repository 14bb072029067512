#include "cli/report/report_command.h"

#include "app/pages/CollectorSet.h"
#include "app/pages/JsonReport.h"
#include "app/pages/PageRows.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "cli/common/arguments.h"
#include "cli/common/category_argument.h"
#include "cli/report/changes_command.h"
#include "cli/report/report_io.h"
#include "cli/report/report_text.h"
#include "version.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: veltrix-report [--category N|NAME] [--format text|json] [--encoding windows-1252|utf-8]\n"
    "                      [--output FILE] [--machine FILE.json] [--root DIR] [--privacy] [--help] [--version]\n"
    "                      [--changes-since EARLIER.json [--against LATER.json] [--all-fields]]";

// One line per flag; the record holds its bool.
constexpr FlagOption<ReportArguments> kFlags[] = {
    {"--help", &ReportArguments::help},
    {"-h", &ReportArguments::help},
    {"--version", &ReportArguments::version},
    {"--privacy", &ReportArguments::privacy},
    {"--all-fields", &ReportArguments::allFields},
};

constexpr ValueOption<ReportArguments> kValues[] = {
    {"--category", &ReportArguments::category},
    {"--format", &ReportArguments::format},
    {"--encoding", &ReportArguments::encoding},
    {"--output", &ReportArguments::output},
    {"--machine", &ReportArguments::machineFile},
    {"--root", &ReportArguments::root},
    {"--changes-since", &ReportArguments::changesSince},
    {"--against", &ReportArguments::against},
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
    return ReadComparisonMeanings(parsed, error);
}

std::optional<std::string> Compose(const ReportArguments& parsed, app::CollectorSet& collectors) {
    const app::TranslatedWindowTexts texts;
    if (parsed.reportFormat == ReportFormat::kJson)
        return app::JsonReport(collectors, texts).Compose(parsed.categoryNumber, veltrix::kVersionText);
    const auto lines = app::ReportWriter(collectors, texts).ComposeLines(parsed.categoryNumber);
    if (!lines) return std::nullopt;
    return EncodeReport(*lines, parsed.reportEncoding);
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
           "(or VELTRIX_MACHINE, VELTRIX_ROOT). Status: 0 done, 1 a write failed, 2 bad input.\n"
           "--changes-since EARLIER.json writes what changed since that JSON report: on this machine\n"
           "(or --machine, --root), or in --against LATER.json; --all-fields includes values that\n"
           "change by themselves. Status: 0 no change, 1 changes, 2 bad input, 3 not written.\n";
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
    if (!parsed.changesSince.empty()) return RunChanges(parsed, out, err);

    auto created = CreateReportMachine(parsed);
    if (!created.machine) return Fail(err, created.error, kExitUsage);

    app::CollectorSet collectors(*created.machine);
    const auto report = Compose(parsed, collectors);
    if (!report) return Fail(err, "the report could not be composed", kExitFailure);
    const base::CodePage encoding =
        parsed.reportFormat == ReportFormat::kJson ? base::CodePage::kUtf8 : ReportCodePageOf(parsed.reportEncoding);
    if (const auto failed = Deliver(parsed, *report, encoding, out)) return Fail(err, *failed, kExitFailure);
    SayCutLists(err, parsed.categoryNumber, collectors);
    return kExitOk;
}

}  // namespace cli
