#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/report/report_command.h"
#include "cli_run.h"
#include "environment.h"
#include "platform/sim/sim_sections.h"
#include "sim_fixture.h"
#include "temp_dir.h"

using testing_support::ReadFile;
using testing_support::SourcePath;
using testing_support::TempDir;
using testing_support::ExpectOneLineError;
using testing_support::Laptop;
using testing_support::Report;
using testing_support::ReportRun;


TEST(VeltrixReport, BadInputGetsOneLineAndStatusTwo) {
    ExpectOneLineError(Report({"--colour"}));
    ExpectOneLineError(Report({"--category"}));
    ExpectOneLineError(Report({"--category", "15", "--machine", Laptop()}));
    ExpectOneLineError(Report({"--category", "-1", "--machine", Laptop()}));
    ExpectOneLineError(Report({"--category", "3x", "--machine", Laptop()}));
    ExpectOneLineError(Report({"--machine", "/nonexistent/machine.json"}));
    ExpectOneLineError(Report({"--machine", Laptop(), "--root", "/"}));
    // A file that cannot be written is a failure, not bad input.
    ExpectOneLineError(Report({"--machine", Laptop(), "--output", "/nonexistent/dir/report.txt"}), cli::kExitFailure);
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
        // Types as strict as the document says.
        {R"({"comment": 5})", "/comment: expected a string, found number"},
        {R"({"processor": {"count": 1.5}})", "/processor/count: expected a whole number from 0 to 4294967295, found 1.5"},
        {R"({"keys": {"caps": -1.5}})", "/keys/caps: expected a whole number, found -1.5"},
        {R"({"keyboard": {"layout": "zzzzzzzz"}})", "/keyboard/layout: expected eight hexadecimal digits, found \"zzzzzzzz\""},
        {R"({"keyboard": {"layout": "123456789"}})", "/keyboard/layout: expected eight hexadecimal digits"},
        {R"({"keyboard": {"layout": "0000409"}})", "/keyboard/layout: expected eight hexadecimal digits"},
        {R"({"keyboard": {"layout": 409}})", "/keyboard/layout: expected a string, found number"},
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
    namespace fs = std::filesystem;
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ExpectOneLineError(Report({"--machine", Laptop(), "--output", file}), cli::kExitFailure);
    EXPECT_EQ(ReadFile(file), "the previous report");
    // A bad machine file is found before the output is touched.
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    ExpectOneLineError(Report({"--machine", "/nonexistent.json", "--output", file}));
    EXPECT_EQ(ReadFile(file), "the previous report");
}

TEST(VeltrixReport, AMachineFileIsARegularFileOfAtMost16MiB) {
    TempDir dir;
    // Pipes and devices are refused too (cli_posix_test.cpp).
    const std::pair<std::string, const char*> refused[] = {
        {dir.File(""), ": is a directory"},
        {dir.File("missing.json"), ": No such file or directory"},
    };
    for (const auto& [path, expected] : refused) {
        const ReportRun run = Report({"--machine", path});
        ExpectOneLineError(run);
        EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
    }

    // The same cap as a tree's files: exactly 16 MiB is read, one byte more is not.
    const std::string large = dir.File("large.json");
    std::string text = "{}";
    text.resize(16u << 20, ' ');
    std::ofstream(large, std::ios::binary) << text;
    EXPECT_EQ(Report({"--machine", large, "--category", "14"}).status, 0);
    std::ofstream(large, std::ios::binary | std::ios::app) << ' ';
    const ReportRun tooLarge = Report({"--machine", large});
    ExpectOneLineError(tooLarge);
    EXPECT_NE(tooLarge.err.find(large + ": is larger than 16 MiB"), std::string::npos) << tooLarge.err;
}

TEST(VeltrixReport, MessagesShowTerminalControlsEscaped) {
    TempDir dir;
    const std::string file = dir.File("keys.json");
    std::ofstream(file) << R"({"keyboard": {"\u001B[31mred\u0007": 1}})";
    const ReportRun key = Report({"--machine", file});
    ExpectOneLineError(key);
    EXPECT_NE(key.err.find("unknown key \"\\x1B[31mred\\x07\""), std::string::npos) << key.err;

    const ReportRun name = Report({"--machine", dir.File("bell\x07\x1B]0;title.json")});
    ExpectOneLineError(name);
    EXPECT_NE(name.err.find("bell\\x07\\x1B]0;title.json"), std::string::npos) << name.err;

    const ReportRun option = Report({"--colour\x1B[2J"});
    ExpectOneLineError(option);
    EXPECT_NE(option.err.find("--colour\\x1B[2J"), std::string::npos) << option.err;

    for (const ReportRun* run : {&key, &name, &option}) {
        EXPECT_EQ(run->err.find('\x1B'), std::string::npos) << run->err;
        EXPECT_EQ(run->err.find('\x07'), std::string::npos) << run->err;
    }
}

TEST(VeltrixReport, BothMachineVariablesAreRefusedAsTheOptionsAre) {
    using testing_support::SetEnvironment;
    using testing_support::UnsetEnvironment;
    SetEnvironment("VELTRIX_MACHINE", Laptop());
    SetEnvironment("VELTRIX_ROOT", "/");
    const ReportRun both = Report({"--category", "14"});
    // The command line still chooses for itself.
    const ReportRun chosen = Report({"--category", "14", "--machine", Laptop()});
    UnsetEnvironment("VELTRIX_ROOT");
    const ReportRun machineOnly = Report({"--category", "14"});
    UnsetEnvironment("VELTRIX_MACHINE");

    ExpectOneLineError(both);
    EXPECT_EQ(both.err, "veltrix-report: VELTRIX_MACHINE and VELTRIX_ROOT cannot be used together\n");
    EXPECT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_EQ(machineOnly.status, 0) << machineOnly.err;
    EXPECT_EQ(machineOnly.out, chosen.out);
}

TEST(VeltrixReport, ASectionSetToNullIsAMissingSection) {
    TempDir dir;
    const std::string file = dir.File("null.json");
    std::ofstream(file) << "{}";
    const ReportRun empty = Report({"--machine", file});
    ASSERT_EQ(empty.status, 0) << empty.err;
    for (const platform::sim::Section& section : platform::sim::Sections()) {
        std::ofstream(file) << "{\"" << section.key << "\": null}";
        const ReportRun run = Report({"--machine", file});
        EXPECT_EQ(run.status, 0) << section.key << ": " << run.err;
        EXPECT_EQ(run.out, empty.out) << section.key;
    }
}

TEST(VeltrixReport, KeyboardLayoutsAreEightHexadecimalDigits) {
    TempDir dir;
    const std::string file = dir.File("layout.json");
    for (const char* layout : {"00000000", "FFFFFFFF", "ffffffff", "00020409"}) {
        std::ofstream(file) << R"({"keyboard": {"layout": ")" << layout << R"("}})";
        const ReportRun run = Report({"--machine", file, "--category", "5"});
        EXPECT_EQ(run.status, 0) << layout << ": " << run.err;
    }
}
