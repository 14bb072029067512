// What changed between two JSON reports of a large machine: 32,767 USB
// devices on hubs (alike, without serials: matched in list order) and 32,767
// printers (named), the most a list holds, and smaller machines of the same
// kind to show the time grows with the reports' size. The reports are made
// once, outside the measurement, by the same path as veltrix-report's; the
// later one has a printer removed, one added, one moved to another port, and
// a USB device fewer. What is timed is what --changes-since --against does
// with the two files' bytes: reading both, matching, and the text or JSON.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>

#include "app/changes/ChangesJson.h"
#include "app/changes/ChangesText.h"
#include "app/changes/ReportComparison.h"
#include "app/changes/ReportDocument.h"
#include "app/pages/CollectorSet.h"
#include "app/pages/JsonReport.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "large_machine_files.h"
#include "platform/machine_factory.h"

namespace {

using app::changes::Json;

std::string ReportOf(const std::string& machineText) {
    const std::string path = std::filesystem::temp_directory_path() / ("veltrix-changes-bench-" + std::to_string(::getpid()) + ".json");
    std::ofstream(path, std::ios::binary) << machineText;
    platform::MachineOptions options;
    options.machineFile = path;
    auto created = platform::CreateMachine(options);
    std::filesystem::remove(path);
    if (!created.machine) return {};
    app::CollectorSet collectors(*created.machine);
    const app::TranslatedWindowTexts texts;
    return app::JsonReport(collectors, texts).Compose(app::kAllCategories, "1.0.0").value_or("");
}

// The earlier and the later report of a machine with `count` devices in each list.
const std::pair<std::string, std::string>& Reports(int count) {
    static std::map<int, std::pair<std::string, std::string>> made;
    auto found = made.find(count);
    if (found != made.end()) return found->second;
    const std::string machine = R"({"usb": {"devices": [)" + bench::Joined(count, bench::UsbDevice) +
                                R"(]}, "spooler": {"default_printer": "Printer 0", "printers": [)" +
                                bench::Joined(count, bench::Printer) + "]}}";
    const std::string earlier = ReportOf(machine);
    Json later = Json::parse(earlier);
    Json& printers = later["categories"]["Printers"]["items"];
    printers.erase(printers.begin() + count / 2);
    printers[1]["Port"] = "USB-moved";
    Json added = printers[0];
    added["Name"] = "Printer new";
    printers.push_back(added);
    later["categories"]["USBDevices"]["items"].erase(later["categories"]["USBDevices"]["items"].begin());
    return made.emplace(count, std::make_pair(earlier, later.dump(2) + "\n")).first->second;
}

void CompareTwoReports(benchmark::State& state, bool json) {
    const int count = static_cast<int>(state.range(0));
    const auto& [earlierText, laterText] = Reports(count);
    std::size_t changes = 0;
    for (auto _ : state) {
        const auto earlier = app::changes::ReadReportDocument(earlierText);
        const auto later = app::changes::ReadReportDocument(laterText);
        const auto found = app::changes::CompareReports(*earlier.document, *later.document, {});
        if (json) {
            benchmark::DoNotOptimize(app::changes::ChangesJson(found, "1.0.0"));
        } else {
            benchmark::DoNotOptimize(app::changes::ChangesText(found));
        }
        changes = found.size();
    }
    state.SetComplexityN(count);
    state.counters["report_MB"] = static_cast<double>(earlierText.size()) / 1e6;
    state.counters["categories_changed"] = static_cast<double>(changes);
}

void CompareReportsText(benchmark::State& state) { CompareTwoReports(state, false); }
void CompareReportsJson(benchmark::State& state) { CompareTwoReports(state, true); }

// The matching alone, on documents already read.
void MatchOnly(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto& [earlierText, laterText] = Reports(count);
    const auto earlier = app::changes::ReadReportDocument(earlierText);
    const auto later = app::changes::ReadReportDocument(laterText);
    for (auto _ : state) benchmark::DoNotOptimize(app::changes::CompareReports(*earlier.document, *later.document, {}));
    state.SetComplexityN(count);
}

}  // namespace

BENCHMARK(CompareReportsText)->RangeMultiplier(2)->Range(4096, 32767)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(CompareReportsJson)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(MatchOnly)->RangeMultiplier(2)->Range(4096, 32767)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
