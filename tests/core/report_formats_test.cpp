// The report's other forms: the JSON document and the UTF-8 text.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>

#include "app/pages/Categories.h"
#include "app/pages/JsonReport.h"
#include "base/codepage.h"
#include "base/system_codepages.h"
#include "cli/report/report_command.h"
#include "cli/report/report_text.h"
#include "cli/common/category_argument.h"
#include "cli_run.h"
#include "temp_dir.h"
#include "version.h"

using namespace testing_support;
using Json = nlohmann::ordered_json;  // keeps the document's order

namespace {

Json JsonOf(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--format", "json"};
    all.insert(all.end(), args.begin(), args.end());
    const ReportRun run = Report(all);
    EXPECT_EQ(run.status, 0) << run.err;
    return Json::parse(run.out);
}

std::string Machine(const char* name) { return SourcePath(std::string("tests/machines/") + name); }

}  // namespace

// Every field with a value has a name in the document, each name once per
// category; a row without a value has none, except the index row.
TEST(JsonReport, EveryFieldOfEveryCategoryHasExactlyOneKey) {
    for (const app::CategoryRow& row : app::CategoryTable()) {
        SCOPED_TRACE(row.page.designTabText);
        std::set<std::string> keys;
        for (const app::FieldDeclaration& field : app::Fields(row)) {
            EXPECT_EQ(field.json.key != nullptr, field.HasValue() || field.isIndexRow) << field.label;
            EXPECT_EQ(field.json.type == app::JsonType::kNone, field.json.key == nullptr) << field.label;
            if (field.json.key) {
                EXPECT_TRUE(keys.insert(field.json.key).second) << field.json.key;
            }
            if (field.json.secondKey) {
                EXPECT_TRUE(keys.insert(field.json.secondKey).second) << field.json.secondKey;
            }
        }
    }
}

TEST(JsonReport, NumbersAreNumbersFallbacksAreNullListsKeepTheirNumber) {
    const Json laptop = JsonOf({"--machine", Laptop()});
    EXPECT_EQ(laptop["schema"], "urn:veltrix:report:1");
    EXPECT_EQ(laptop["version"], std::string(veltrix::kVersionText));
    ASSERT_EQ(laptop["categories"].size(), 15u);
    int number = 0;
    for (const auto& [name, category] : laptop["categories"].items()) {
        EXPECT_EQ(category["number"], number) << name;
        EXPECT_EQ(name, cli::CategoryKey(number++));
    }
    const Json& memory = laptop["categories"]["MemoryUsage"]["fields"];
    EXPECT_EQ(memory["TotalPhysical"], 4194304LL * 1024) << "bytes, not the page's kilobytes";
    const Json& battery = laptop["categories"]["Battery"]["fields"];
    EXPECT_EQ(battery["PowerStatus"], Json({{"text", "Niet aangesloten"}, {"value", 0}}));
    EXPECT_EQ(battery["LifePercent"], 87);
    EXPECT_EQ(battery["LifeTime"], 5025) << "01:23:45 in seconds";
    EXPECT_TRUE(laptop["categories"]["Display"]["fields"]["Monitor"].is_null());
    EXPECT_EQ(laptop["categories"]["Processor"]["heading"], "Processor");
    EXPECT_TRUE(laptop["categories"]["Processor"]["fields"]["Speed"].is_number());

    // The optical drive that cannot write: "Niet ondersteund" on its page.
    const Json drives = JsonOf({"--machine", Machine("windows-drives.json"), "--category", "OpticalDrives"});
    ASSERT_EQ(drives["categories"].size(), 1u);
    const Json& optical = drives["categories"]["OpticalDrives"]["items"];
    ASSERT_GE(optical.size(), 2u);
    EXPECT_EQ(optical[0]["Index"], 0);
    EXPECT_EQ(optical[0]["ReadMaximumSpeed"], 48);
    EXPECT_TRUE(optical[1]["WriteMaximumSpeed"].is_null());
    const Json disks = JsonOf({"--machine", Machine("windows-drives.json"), "--category", "9"});
    EXPECT_EQ(disks["categories"]["HardDrives"]["items"][0]["Capacity"], 81956689920LL);

    // The ports' description and monitor are on the page, so in the document.
    const Json ports = JsonOf({"--machine", Machine("desktop.json"), "--category", "poorten"});
    const Json& port = ports["categories"]["Ports"]["items"][0];
    EXPECT_EQ(port["Name"], "/dev/ttyS0");
    EXPECT_TRUE(port.contains("Description") && port.contains("Monitor")) << port.dump();
}

// Controls reach no terminal and turn no text around: written as the text
// report writes them ("\x1B", "\u202E").
TEST(JsonReport, MachineTextIsSafeOnATerminalAndBidiControlsAreEscaped) {
    TempDir dir;
    const std::string file = dir.File("hostile.json");
    std::ofstream(file) << R"({"code_page": "utf-8", "joysticks": {"devices": [{"slot": 0,
        "name": "a\u001b[2J\u007f\u0085\u202eb\u2066", "axes": 2, "buttons": 4}]}})";
    const ReportRun run = Report({"--machine", file, "--format", "json", "--category", "8"});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* raw : {"\x1B", "\x7F", "\xC2\x85", "\xE2\x80\xAE", "\xE2\x81\xA6"})
        EXPECT_EQ(run.out.find(raw), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(R"("a\\x1B[2J\\x7F\\x85\\u202Eb\\u2066")"), std::string::npos) << run.out;
    EXPECT_EQ(Json::parse(run.out)["categories"]["Joysticks"]["items"][0]["Name"], R"(a\x1B[2J\x7F\x85\u202Eb\u2066)");
}

// --encoding utf-8 is the default report decoded, with LF, except where the
// default had to write "?": there it keeps the character.
TEST(ReportEncoding, Utf8IsTheDefaultDecodedKeepingWhatWindows1252Lacks) {
    TempDir dir;
    const std::string file = dir.File("names.json");
    std::ofstream(file) << R"({"code_page": "utf-8", "joysticks": {"devices": [{"slot": 0,
        "name": "G\u00e4mepad \u2122 \u5317\u4eac?", "axes": 2, "buttons": 4}]}})";
    for (const std::string& machine : {file, Laptop(), Machine("windows-drives.json")}) {
        const ReportRun cp1252 = Report({"--machine", machine});
        const ReportRun utf8 = Report({"--machine", machine, "--encoding", "utf-8"});
        ASSERT_EQ(utf8.status, 0) << utf8.err;
        EXPECT_EQ(utf8.out.find('\r'), std::string::npos);
        std::string expected = base::EncodeUtf8(base::DecodeWindows1252(cp1252.out));
        for (std::size_t at; (at = expected.find("\r\n")) != std::string::npos;) expected.erase(at, 1);
        if (machine != file) {
            EXPECT_EQ(utf8.out, expected) << machine;
            continue;
        }
        // The joystick's "?" is its own and stays; the two the code page made are the letters.
        EXPECT_NE(cp1252.out.find("Naam: G\xe4mepad \x99 ???\r\n"), std::string::npos);
        EXPECT_NE(utf8.out.find("Naam: G\u00e4mepad \u2122 \u5317\u4eac?\n"), std::string::npos) << utf8.out;
        EXPECT_EQ(base::EncodeWindows1252(base::DecodeUtf8(utf8.out)), [&] {
            std::string lf = cp1252.out;
            for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
            return lf;
        }());
    }
}

// Without --encoding the report is what the window saves: the system's ANSI
// code page (Windows-1252 on Linux). Asked for by name, Windows-1252 is
// Windows-1252 on any system, a Russian Windows (code page 1251) included.
TEST(ReportEncoding, Windows1252ByNameIsWindows1252WhateverTheSystemsCodePage) {
    base::SystemCodePages russian;
    russian.ansi = static_cast<base::CodePage>(1251);
    russian.encode = [](base::CodePage page, std::wstring_view text) -> std::optional<std::string> {
        if (static_cast<int>(page) != 1251) return std::nullopt;
        return "cp1251:" + base::EncodeUtf8(text);  // a stand-in for the system's table
    };
    base::InstallSystemCodePages(russian);
    const std::vector<std::wstring> lines = {L"Caf\u00e9"};
    const std::string saved = cli::EncodeReport(lines, cli::ReportEncoding::kSaved);
    const std::string named = cli::EncodeReport(lines, cli::ReportEncoding::kWindows1252);
    base::InstallSystemCodePages({});
    EXPECT_EQ(saved, "cp1251:Caf\xC3\xA9\r\n");
    EXPECT_EQ(named, "Caf\xE9\r\n");

    cli::ReportArguments parsed;
    std::string error;
    ASSERT_TRUE(cli::ParseReportArguments({"--encoding", "windows-1252"}, parsed, error)) << error;
    EXPECT_EQ(parsed.reportEncoding, cli::ReportEncoding::kWindows1252);
    parsed = {};
    ASSERT_TRUE(cli::ParseReportArguments({}, parsed, error)) << error;
    EXPECT_EQ(parsed.reportEncoding, cli::ReportEncoding::kSaved);
}
