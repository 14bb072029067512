// The command line of veltrix-report: names of categories, formats and
// encodings, --help and --version, exit statuses, and a reader that leaves.
#include <gtest/gtest.h>

#include <sstream>

#include "app/pages/PageRows.h"
#include "cli/common/category_argument.h"
#include "cli/report/report_command.h"
#include "cli_run.h"
#include "version.h"

using namespace testing_support;

// Every category by its number, its English name (with and without spaces)
// and its Dutch tab text, in any case; a round trip over the whole table.
TEST(CategoryArgument, EveryCategoryByNumberEnglishAndDutchNameInAnyCase) {
    for (int k = 0; k < app::kCategoryCount; ++k) {
        const app::CategoryPage& page = app::Page(k);
        std::string english = page.designTabText, dutch;
        for (const wchar_t c : std::wstring(page.dutchTabText)) dutch += static_cast<char>(c);
        std::string upper = english, lower = dutch;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (const std::string& name : {std::to_string(k), english, dutch, upper, lower, cli::CategoryKey(k)})
            EXPECT_EQ(cli::CategoryFromArgument(name), k) << name;
    }
    EXPECT_EQ(cli::CategoryKey(app::kMemoryUsage), "MemoryUsage");
    EXPECT_EQ(cli::CategoryFromArgument("harde stations"), app::kHardDrives);
    EXPECT_EQ(cli::CategoryFromArgument("USB apparaten"), app::kUSBDevices);
    for (const char* wrong : {"", "-1", "15", "3x", " 3", "Procesor", "Netwerk ", "Memory  Usage", "0x1"})
        EXPECT_EQ(cli::CategoryFromArgument(wrong), std::nullopt) << wrong;
}

TEST(VeltrixReport, ACategoryByNameWritesWhatItsNumberWrites) {
    const ReportRun byNumber = Report({"--machine", Laptop(), "--category", "9"});
    const ReportRun byName = Report({"--machine", Laptop(), "--category=HARDE STATIONS"});
    ASSERT_EQ(byNumber.status, cli::kExitOk) << byNumber.err;
    EXPECT_EQ(byName.status, cli::kExitOk) << byName.err;
    EXPECT_EQ(byName.out, byNumber.out);
    EXPECT_EQ(byName.out.rfind("Harde Stations\r\n", 0), 0u);
}

TEST(VeltrixReport, HelpListsTheCategoriesAndVersionNamesTheProgram) {
    const ReportRun help = Report({"--help"});
    EXPECT_EQ(help.status, cli::kExitOk);
    EXPECT_TRUE(help.err.empty());
    EXPECT_EQ(help.out.rfind("usage: veltrix-report ", 0), 0u);
    for (const char* line : {"   0  Processor       Processor\n", "   1  Memory Usage    Geheugengebruik\n",
                             "  13  USB Devices     USB Apparaten\n", "  14  Battery         Batterij\n"})
        EXPECT_NE(help.out.find(line), std::string::npos) << line << help.out;
    EXPECT_EQ(Report({"-h"}).out, help.out);

    const ReportRun version = Report({"--version"});
    EXPECT_EQ(version.status, cli::kExitOk);
    EXPECT_EQ(version.out, "veltrix-report " + std::string(veltrix::kVersionText) + "\n");
}

TEST(VeltrixReport, BadFormatsEncodingsAndArgumentsAreUsageErrors) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--format", "xml"},
             {"--format"},
             {"--format="},
             {"--encoding", "latin-1"},
             {"--format", "json", "--encoding", "windows-1252"},
             {"--category", "Procesor"},
             {"--help=yes"},
             {"--version=1"},
             {"report.txt"},
             {"--", "--category"},
         }) {
        const ReportRun run = Report(args);
        ExpectOneLineError(run);
    }
    const ReportRun category = Report({"--category", "Procesor"});
    EXPECT_NE(category.err.find("nor a category's name (see --help)"), std::string::npos) << category.err;
}

// The usage takes two lines: an error line points at --help instead of
// quoting it (its line break once showed up escaped, as "\x0A").
TEST(VeltrixReport, AnErrorLinePointsAtHelpInsteadOfQuotingTheUsage) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--foo"}, {"report.txt"}, {"--format"}, {"--help=yes"}}) {
        const ReportRun run = Report(args);
        ExpectOneLineError(run);
        EXPECT_EQ(run.err.find("\\x"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("usage"), std::string::npos) << run.err;
        EXPECT_TRUE(run.err.ends_with(" (see veltrix-report --help)\n")) << run.err;
    }
    EXPECT_EQ(Report({"--foo"}).err, "veltrix-report: unknown option \"--foo\" (see veltrix-report --help)\n");
}

// A pasted file on the command line: the error line quotes its start and
// its length, as an error about a file's content does; 200 bytes is the
// last length quoted whole.
TEST(VeltrixReport, AnErrorLineQuotesOnlyTheStartOfALongArgument) {
    const std::string whole(200, 'x'), longer(100000, 'y');
    EXPECT_EQ(Report({"--category", whole}).err,
              "veltrix-report: category \"" + whole + "\" is neither a number from 0 to 14 nor a category's name "
              "(see --help)\n");
    const std::string cut = "\"" + std::string(200, 'y') + "... (100000 bytes)\"";
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--" + longer}, {longer}, {"--category", longer}, {"--format", longer}, {"--encoding", longer},
             {"--format=json", "--encoding", longer}}) {
        const ReportRun run = Report(args);
        ExpectOneLineError(run);
        EXPECT_LT(run.err.size(), 400u) << args.front().substr(0, 20);
        EXPECT_NE(run.err.find(longer.substr(0, 180)), std::string::npos);
        EXPECT_NE(run.err.find(" bytes)\""), std::string::npos) << run.err.substr(0, 300);
    }
    EXPECT_NE(Report({longer}).err.find(cut), std::string::npos);
    // A path quoted by the machine's own error is capped with the line.
    const ReportRun machine = Report({"--machine", "/nowhere/" + longer});
    ExpectOneLineError(machine);
    EXPECT_LT(machine.err.size(), 1000u);
}

TEST(VeltrixReport, TextAndEncodingNamesAreAcceptedInAnyCase) {
    const ReportRun plain = Report({"--machine", Laptop(), "--category", "14"});
    for (const char* format : {"text", "TEXT"})
        EXPECT_EQ(Report({"--machine", Laptop(), "--category", "14", "--format", format}).out, plain.out);
    for (const char* encoding : {"windows-1252", "Windows-1252", "cp1252"})
        EXPECT_EQ(Report({"--machine", Laptop(), "--category", "14", "--encoding", encoding}).out, plain.out);
    for (const char* encoding : {"utf-8", "UTF-8", "utf8"})
        EXPECT_EQ(Report({"--machine", Laptop(), "--category", "14", "--encoding", encoding}).out,
                  "Batterij\n--------\nVermogenstoestand: Niet aangesloten\nLaadtoestand: Hoog\n"
                  "Levenspercentage: 87%\nLevensduur: 01:23:45\n");
}

namespace {

// Standard output whose every write ends as `result`.
class EndingOutput final : public cli::CommandOutput {
public:
    explicit EndingOutput(platform::OutputResult result) : result_(result) {}
    platform::OutputResult Write(std::string_view, base::CodePage) override { return result_; }

private:
    platform::OutputResult result_;
};

}  // namespace

// Every way a write to standard output ends: done, the reader gone (quiet,
// status 0, as other tools end under `| head -1`) and failed (status 1).
TEST(VeltrixReport, AReaderThatLeavesEndsTheReportQuietlyAFailedWriteIsStatusOne) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--machine", Laptop()}, {"--help"}, {"--version"}}) {
        std::ostringstream err;
        EndingOutput gone(platform::OutputResult::kReaderClosed);
        EXPECT_EQ(cli::RunReport(args, gone, err), cli::kExitOk);
        EXPECT_EQ(err.str(), "");

        std::ostringstream failedErr;
        EndingOutput failed(platform::OutputResult::kFailed);
        EXPECT_EQ(cli::RunReport(args, failed, failedErr), cli::kExitFailure);
        EXPECT_EQ(failedErr.str(), "veltrix-report: cannot write to standard output\n");
    }
}
