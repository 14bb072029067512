// Creating the six collectors of the foundation (without the clock
// measurement's wait) and composing the report, on the simulated desktop and
// on this machine.

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "app/pages/CollectorSet.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "collectors/Battery.h"
#include "collectors/Keyboard.h"
#include "collectors/MemoryUsage.h"
#include "collectors/Mouse.h"
#include "collectors/OperatingSystem.h"
#include "collectors/Processor.h"
#include "fresh_machine.h"
#include "platform/linux/areas/linux_machine.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_reader.h"

namespace {

std::unique_ptr<platform::sim::SimMachine> Desktop() {
    std::ifstream in(std::string(VELTRIX_SOURCE_DIR) + "/tests/machines/desktop.json");
    std::stringstream text;
    text << in.rdbuf();
    return std::make_unique<platform::sim::SimMachine>(platform::sim::ParseMachineText(text.str()));
}

void CreateSix(platform::Machine& machine) {
    collectors::Processor processor(machine);
    collectors::MemoryUsage memory(machine);
    collectors::Keyboard keyboard(machine);
    collectors::Mouse mouse(machine);
    collectors::Battery battery(machine);
    collectors::OperatingSystem os(machine);
    benchmark::DoNotOptimize(processor.Speed());
    benchmark::DoNotOptimize(os.BootMode());
}

void CreateSixCollectorsSimulated(benchmark::State& state) {
    auto machine = Desktop();
    for (auto _ : state) CreateSix(*machine);
}
BENCHMARK(CreateSixCollectorsSimulated)->Unit(benchmark::kMicrosecond);

void CreateSixCollectorsLinux(benchmark::State& state) {
    auto machine = bench::LinuxMachineWithoutWaits();
    for (auto _ : state) CreateSix(*machine);
}
BENCHMARK(CreateSixCollectorsLinux)->Unit(benchmark::kMicrosecond);

void ComposeReport(benchmark::State& state, platform::Machine& machine) {
    app::CollectorSet collectors(machine);
    const app::TranslatedWindowTexts texts;
    app::ReportWriter writer(collectors, texts);
    benchmark::DoNotOptimize(writer.Compose(app::kAllCategories));  // collectors created once
    for (auto _ : state) benchmark::DoNotOptimize(writer.Compose(app::kAllCategories));
}

void ComposeReportSimulated(benchmark::State& state) {
    auto machine = Desktop();
    ComposeReport(state, *machine);
}
BENCHMARK(ComposeReportSimulated)->Unit(benchmark::kMicrosecond);

void ComposeReportLinux(benchmark::State& state) {
    auto machine = bench::LinuxMachineWithoutWaits();
    ComposeReport(state, *machine);
}
BENCHMARK(ComposeReportLinux)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
