#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/report/report_command.h"
#include "sim_fixture.h"

using testing_support::ReadFile;
using testing_support::SourcePath;

namespace {

struct ReportRun {
    int status;
    std::string out;
    std::string err;
};

ReportRun Report(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = cli::RunReport(args, out, err);
    return {status, out.str(), err.str()};
}

std::string Laptop() { return SourcePath("tests/machines/laptop.json"); }

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "veltrix-cli-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void ExpectOneLineError(const ReportRun& run) {
    EXPECT_EQ(run.status, cli::kExitUsage);
    EXPECT_TRUE(run.out.empty());
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_EQ(run.err.rfind("veltrix-report: ", 0), 0u) << run.err;
}

}  // namespace

TEST(VeltrixReport, BadInputGetsOneLineAndStatusTwo) {
    ExpectOneLineError(Report({"--colour"}));
    ExpectOneLineError(Report({"--category"}));
    ExpectOneLineError(Report({"--category", "15", "--machine", Laptop()}));
    ExpectOneLineError(Report({"--category", "-1", "--machine", Laptop()}));
    ExpectOneLineError(Report({"--category", "3x", "--machine", Laptop()}));
    ExpectOneLineError(Report({"--machine", "/nonexistent/machine.json"}));
    ExpectOneLineError(Report({"--machine", Laptop(), "--root", "/"}));
    ExpectOneLineError(Report({"--machine", Laptop(), "--output", "/nonexistent/dir/report.txt"}));
}

TEST(VeltrixReport, MalformedMachineFilesNameThePlaceAndReason) {
    TempDir dir;
    const std::string file = dir.File("bad.json");
    const std::pair<const char*, const char*> cases[] = {
        {"{\n  \"memory\": {\"load\": 101}\n}", "/memory/load: expected a number from 0 to 100"},
        {"{\n  \"memory\": {\n    \"load\": 1,,\n  }\n}", "line 3, column"},
        {R"({"keyboard": {"layuot": "00000409"}})", "/keyboard: unknown key \"layuot\""},
        {R"({"processor": {"cpuid": {"0x1": [1, 2, 3]}}})", "/processor/cpuid/0x1: expected four registers"},
        {R"({"processor": {"cpuid": {"leaf": [1, 2, 3, 4]}}})", "/processor/cpuid/leaf: expected a decimal or 0x"},
        {R"({"keys": {"caps": "on"}})", "/keys/caps: expected a whole number"},
        {R"([1, 2])", "/: expected an object"},
        {R"({"regional": {"decimal": ""}})", "/regional/decimal: the decimal separator cannot be empty"},
        // Too large for any JSON number: refused with its place, not as an unexpected failure.
        {"{\n  \"processor\": {\"tsc_hz\": 1e400}\n}", "line 2, column 27: number overflow parsing '1e400'"},
    };
    for (const auto& [text, expected] : cases) {
        std::ofstream(file) << text;
        const ReportRun run = Report({"--machine", file});
        ExpectOneLineError(run);
        EXPECT_NE(run.err.find(file + ": " + expected), std::string::npos) << run.err;
    }
}

TEST(VeltrixReport, WritesTheSameBytesToAFileAsToStandardOutput) {
    TempDir dir;
    const ReportRun toStdout = Report({"--machine", Laptop(), "--category", "14"});
    ASSERT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out, "Batterij\r\n--------\r\nVermogenstoestand: Niet aangesloten\r\nLaadtoestand: Hoog\r\n"
                            "Levenspercentage: 87%\r\nLevensduur: 01:23:45\r\n");
    const std::string file = dir.File("report.txt");
    const ReportRun toFile = Report({"--machine=" + Laptop(), "--category=14", "--output", file});
    EXPECT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_TRUE(toFile.out.empty());
    EXPECT_EQ(ReadFile(file), toStdout.out);
}

TEST(VeltrixReport, AFailedRunLeavesAnExistingFileAlone) {
    TempDir dir;
    const std::string file = dir.File("old.txt");
    std::ofstream(file) << "the previous report";
    ::chmod(file.c_str(), 0444);
    ExpectOneLineError(Report({"--machine", Laptop(), "--output", file}));
    EXPECT_EQ(ReadFile(file), "the previous report");
    // A bad machine file is found before the output is touched.
    ::chmod(file.c_str(), 0644);
    ExpectOneLineError(Report({"--machine", "/nonexistent.json", "--output", file}));
    EXPECT_EQ(ReadFile(file), "the previous report");
}
