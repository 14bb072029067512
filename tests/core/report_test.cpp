#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

#include "app/pages/CollectorSet.h"
#include "app/pages/DevicePage.h"
#include "app/pages/PageRows.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/ValueLists.h"
#include "app/pages/WindowTexts.h"
#include "environment.h"
#include "expected_output.h"
#include "sim_fixture.h"

using namespace app;
using testing_support::ReadFile;
using testing_support::RewriteExpectedOutput;
using testing_support::SimFrom;
using testing_support::SimMachineFile;
using testing_support::SourcePath;
using testing_support::TestDataFolder;

namespace {

std::string Report(platform::Machine& machine, int category = kAllCategories) {
    CollectorSet collectors(machine);
    const TranslatedWindowTexts texts;
    return ReportWriter(collectors, texts).Compose(category).value();
}

std::vector<std::string> Lines(const std::string& report) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = report.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(report.substr(start, end - start));
    EXPECT_EQ(start, report.size()) << "text after the last CR LF";
    return lines;
}

}  // namespace

// Every machine file beside which a reviewed report stands
// (NAME.expected.txt), so that a machine added with its report is tested
// without a code change.
TEST(Report, EveryShippedMachineMatchesItsReviewedReport) {
    const std::string machines = TestDataFolder(SourcePath("tests/machines"), "machines");
    const std::string suffix = ".expected.txt";
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(machines)) {
        const std::string expectedPath = entry.path().string();
        if (!expectedPath.ends_with(suffix)) continue;
        const std::string name = expectedPath.substr(0, expectedPath.size() - suffix.size());
        const std::string report = Report(*SimFrom(ReadFile(name + ".json")));
        ++compared;
        if (!RewriteExpectedOutput(expectedPath, report)) {
            EXPECT_EQ(report, ReadFile(expectedPath)) << name;
        }
    }
    EXPECT_GT(compared, 0) << "no reviewed report in " << machines;
}

TEST(Report, AllCategoriesAreFifteenBlocksInTabOrder) {
    auto machine = SimMachineFile("desktop.json");
    const auto lines = Lines(Report(*machine));
    const std::vector<std::string> headings = {"Processor", "Geheugengebruik", "Weergave", "Netwerk",
                                               "Geluid", "Toetsenbord", "Muis", "Printers", "Joysticks",
                                               "Harde Stations", "Optische Stations", "Logische Stations",
                                               "Poorten", "USB Apparaten", "Batterij"};
    std::vector<std::string> found;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        const bool underline = !lines[i].empty() && lines[i + 1] == std::string(lines[i].size(), '-');
        if (underline) {
            found.push_back(lines[i]);
            // Every heading but the first follows an empty line.
            if (i > 0) {
                EXPECT_EQ(lines[i - 1], "") << lines[i];
            }
        }
    }
    EXPECT_EQ(found, headings);
    EXPECT_EQ(lines.front(), "Processor");
    EXPECT_EQ(lines.back().rfind("Levensduur: ", 0), 0u);
}

TEST(Report, OneCategoryIsItsBlockAlone) {
    auto machine = SimMachineFile("laptop.json");
    EXPECT_EQ(Lines(Report(*machine, kPorts)), (std::vector<std::string>{"Poorten", "-------"}));
    EXPECT_EQ(Lines(Report(*machine, kMemoryUsage)),
              (std::vector<std::string>{"Geheugengebruik", "---------------", "Totaal Fysiek: 4.194.304 KB",
                                        "Beschikbaar Fysiek: 1.803.550 KB", "Totaal Virtueel: 2.097.024 KB",
                                        "Beschikbaar Virtueel: 1.966.080 KB", "Belasting: 57 %"}));
}

TEST(Report, FallbacksAndUnitsOfTheSingleCategories) {
    auto machine = SimFrom(R"({"memory": {"load": 0, "total_physical": 1536},
        "power": {"ac_line": 3, "battery_flag": 12, "life_percent": 255}, "mouse": {"buttons": 0, "double_click_ms": 0}})");
    const auto lines = Lines(Report(*machine));
    auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has("Totaal Fysiek: 2 KB"));
    EXPECT_TRUE(has("Belasting: Onbekend"));
    EXPECT_TRUE(has("Beschikbaar Fysiek: Onbekend"));
    EXPECT_TRUE(has("Knoppen: Niet aanwezig"));
    EXPECT_TRUE(has("Dubbelkliksnelheid: Niet aanwezig"));
    EXPECT_TRUE(has("Knopconfiguratie: Rechtshandig"));
    EXPECT_TRUE(has("Vermogenstoestand: Onbekend"));
    EXPECT_TRUE(has("Laadtoestand: Onbekend"));  // 12 gives entry 4, an empty one: not valid
    EXPECT_TRUE(has("Levenspercentage: Onbekend"));
    EXPECT_TRUE(has("Levensduur: Onbekend"));
    EXPECT_TRUE(has("Snelheid: Onbekend"));
    EXPECT_TRUE(has("Familie-ID: 0"));
    // Repeat settings the machine did not give are unknown, not 250 and 400 ms.
    EXPECT_TRUE(has("Herhaalvertraging: Onbekend"));
    EXPECT_TRUE(has("Herhaalsnelheid: Onbekend"));
}

TEST(Report, TheSpeedIgnoresTheProcessLocale) {
    // The C library's locale (set from the environment by the window's
    // toolkit) must not put its own decimal sign into the speed.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!testing_support::UseDecimalCommaNumericLocale()) GTEST_SKIP() << "no locale with a decimal comma";
    const format::FormatEx english;
    const std::wstring speed = english.FormatGeneralNumber(2399.75);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(speed, L"2399.75");
}

TEST(Report, TextIsWindows1252WithReplacementForTheRest) {
    // A brand text with a registered sign (AE in Windows-1252) and the euro sign (80).
    auto machine = SimFrom(R"({"processor": {"count": 1, "type": 586, "cpuid": {
        "0x80000000": ["0x80000004", 0, 0, 0], "0x80000002": ["0x80AE4141", 0, 0, 0]}}})");
    const std::string report = Report(*machine, kProcessor);
    EXPECT_NE(report.find("Naam: AA\xAE\x80\r\n"), std::string::npos);
    EXPECT_EQ(ReportWriter::Encode({L"a\u65E5b", L""}), "a?b\r\n\r\n");
}

namespace {

// A window whose Caps Lock list lost its second entry.
class BrokenTexts final : public WindowTexts {
public:
    std::wstring TabText(int category) const override { return base_.TabText(category); }
    std::wstring Caption(std::string_view label) const override { return base_.Caption(label); }
    std::wstring ListTag(std::string_view label) const override {
        return label == "LabelKeyboardCapslockvalue" ? L"Uit" : base_.ListTag(label);
    }

private:
    TranslatedWindowTexts base_;
};

}  // namespace

TEST(Report, AMissingListEntryFailsTheWholeReport) {
    auto machine = SimFrom(R"({"keys": {"caps": true}})");
    CollectorSet collectors(*machine);
    const BrokenTexts texts;
    EXPECT_FALSE(ReportWriter(collectors, texts).Compose(kAllCategories).has_value());
    EXPECT_TRUE(ReportWriter(collectors, texts).Compose(kMouse).has_value());
}

TEST(ValueLists, EntriesCountFromZeroAndKeepEmptyOnes) {
    EXPECT_EQ(ListEntry(L";Wave In;Wave Out", 1), L"Wave In");
    EXPECT_EQ(ListEntry(L";Wave In;Wave Out", 0), L"");
    EXPECT_EQ(ListEntry(L"Hoog;Laag;Kritisch;Aan het laden;;;;Geen systeembatterij", 7), L"Geen systeembatterij");
    EXPECT_EQ(ListEntry(L"Hoog;Laag;Kritisch;Aan het laden;;;;Geen systeembatterij", 5), L"");
    EXPECT_FALSE(ListEntry(L"Uit;Aan", 2).has_value());
    EXPECT_FALSE(ListEntry(L"Uit;Aan", -1).has_value());
    EXPECT_EQ(GetListValue(L"", false, 9, L"Onbekend"), L"Onbekend");
    EXPECT_EQ(GetListValue(L" a ; b ", true, 1, L"x"), L" b ");
}

namespace {

// A device category with `count` devices, each writing one text field and
// one list field, and (for the display) the adapter's two fields.
class FakeDevices final : public DevicePage {
public:
    FakeDevices(const char* textLabel, const char* listLabel, std::int16_t count)
        : textLabel_(textLabel), listLabel_(listLabel), count_(count) {}
    std::int16_t Count() override { return count_; }
    void WriteCollectionFields(FieldSink& sink, const format::FormatEx&) override {
        sink.Write("LabelDisplayName", FieldKind::kText, {true, L"Adapter", 0, L"Onbekend"});
        sink.Write("LabelDisplayMonitor", FieldKind::kText, {false, {}, 0, L"Onbekend"});
    }
    void WriteItemFields(std::int16_t item, FieldSink& sink, const format::FormatEx&) override {
        sink.Write(textLabel_, FieldKind::kText, {item != 1, L"Device " + std::to_wstring(item), 0, L"Onbekend"});
        if (listLabel_) sink.Write(listLabel_, FieldKind::kList, {true, {}, item % 2, L"Onbekend"});
    }

private:
    const char* textLabel_;
    const char* listLabel_;
    std::int16_t count_;
};

}  // namespace

TEST(Report, DeviceGroupsAreOpenedByTheirIndexAndSeparatedByOneEmptyLine) {
    auto machine = SimFrom("{}");
    CollectorSet collectors(*machine);
    collectors.SetDevices(kHardDrives,
                          std::make_unique<FakeDevices>("LabelHarddrivesName", "LabelHarddrivesController", 3));
    collectors.SetDevices(kDisplay, std::make_unique<FakeDevices>("LabelDisplayResolution", "LabelDisplaySelected", 2));
    const TranslatedWindowTexts texts;
    ReportWriter writer(collectors, texts);
    EXPECT_EQ(Lines(writer.Compose(kHardDrives).value()),
              (std::vector<std::string>{"Harde Stations", "--------------", "Index: 0", "Naam: Device 0",
                                        "Controller: Primaire Master", "", "Index: 1", "Naam: Onbekend",
                                        "Controller: Primaire Slave", "", "Index: 2", "Naam: Device 2",
                                        "Controller: Primaire Master"}));
    EXPECT_EQ(Lines(writer.Compose(kDisplay).value()),
              (std::vector<std::string>{"Weergave", "--------", "Naam: Adapter", "Monitor: Onbekend", "",
                                        "Index: 0", "Resolutie: Device 0", "Geselecteerd: Nee", "", "Index: 1",
                                        "Resolutie: Onbekend", "Geselecteerd: Ja"}));
    // In the whole report the next block still follows after one empty line.
    const auto all = Lines(writer.Compose(kAllCategories).value());
    const auto at = std::find(all.begin(), all.end(), "Optische Stations");
    ASSERT_NE(at, all.end());
    EXPECT_EQ(*(at - 1), "");
    EXPECT_EQ(*(at - 2), "Controller: Primaire Master");
}
