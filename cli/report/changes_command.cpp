#include "cli/report/changes_command.h"

#include <optional>

#include "app/changes/ChangesJson.h"
#include "app/changes/ChangesText.h"
#include "app/changes/PageWords.h"
#include "app/changes/ReportComparison.h"
#include "app/pages/JsonReport.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "cli/common/arguments.h"
#include "cli/report/report_io.h"
#include "cli/report/report_text.h"
#include "platform/regular_file.h"
#include "version.h"

namespace cli {

namespace {

using app::changes::Json;

int Fail(std::ostream& err, const std::string& message, int status) {
    return FailureLine(err, "veltrix-report", message, status);
}

// A report file the user names, read and checked; the error line otherwise.
std::optional<Json> ReadReportFile(const std::string& path, std::string& error) {
    const auto read = platform::ReadRegularFile(path, kReportFileLimit);
    if (!read.content) {
        error = "cannot read " + path + ": " + read.error;
        return std::nullopt;
    }
    auto parsed = app::changes::ReadReportDocument(*read.content);
    if (!parsed.document) error = "cannot compare with " + path + ": " + parsed.error;
    return std::move(parsed.document);
}

// With --category, one category of each side alone.
void KeepCategory(Json& document, int category) {
    if (category == app::kAllCategories) return;
    Json& categories = document["categories"];
    const std::string kept = app::changes::CategoryJsonName(category);
    Json only = Json::object();
    if (categories.contains(kept)) only[kept] = std::move(categories[kept]);
    categories = std::move(only);
}

std::string Written(const ReportArguments& parsed, const std::vector<app::changes::CategoryChanges>& changes) {
    if (parsed.reportFormat == ReportFormat::kJson) return app::changes::ChangesJson(changes, veltrix::kVersionText);
    return EncodeReport(app::changes::ChangesText(changes), parsed.reportEncoding);
}

}  // namespace

bool ReadComparisonMeanings(const ReportArguments& parsed, std::string& error) {
    if (parsed.changesSince.empty()) {
        if (!parsed.against.empty()) error = "--against needs --changes-since";
        if (parsed.allFields) error = "--all-fields needs --changes-since";
        return error.empty();
    }
    if (!parsed.against.empty() && (!parsed.machineFile.empty() || !parsed.root.empty() || parsed.privacy)) {
        error = "--against compares two reports: it reads no machine (--machine, --root, --privacy)";
        return false;
    }
    return true;
}

int RunChanges(const ReportArguments& parsed, CommandOutput& out, std::ostream& err) {
    std::string error;
    auto earlier = ReadReportFile(parsed.changesSince, error);
    if (!earlier) return Fail(err, error, kExitUsage);

    std::optional<Json> later;
    platform::MachineOrError created;
    std::optional<app::CollectorSet> collectors;
    if (!parsed.against.empty()) {
        later = ReadReportFile(parsed.against, error);
        if (!later) return Fail(err, error, kExitUsage);
    } else {
        created = CreateReportMachine(parsed);
        if (!created.machine) return Fail(err, created.error, kExitUsage);
        collectors.emplace(*created.machine);
        const app::TranslatedWindowTexts texts;
        const auto report = app::JsonReport(*collectors, texts).Compose(parsed.categoryNumber, veltrix::kVersionText);
        if (!report) return Fail(err, "the report could not be composed", kExitChangesNotWritten);
        later = app::changes::ReadReportDocument(*report).document;
        if (!later) return Fail(err, "the report could not be read back", kExitChangesNotWritten);
    }
    KeepCategory(*earlier, parsed.categoryNumber);
    KeepCategory(*later, parsed.categoryNumber);

    const auto changes = app::changes::CompareReports(*earlier, *later, {parsed.allFields});
    const std::string bytes = Written(parsed, changes);
    const base::CodePage encoding =
        parsed.reportFormat == ReportFormat::kJson ? base::CodePage::kUtf8 : ReportCodePageOf(parsed.reportEncoding);
    // Nothing changed is no output at all on standard output; a file named
    // is still replaced (by an empty one), so it never tells of an older run.
    if (!bytes.empty() || !parsed.output.empty())
        if (const auto failed = Deliver(parsed, bytes, encoding, out)) return Fail(err, *failed, kExitChangesNotWritten);
    if (collectors) SayCutLists(err, parsed.categoryNumber, *collectors);
    return changes.empty() ? kExitOk : kExitChangesFound;
}

}  // namespace cli
