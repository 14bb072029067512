// One tick of the live refresh: memory, lock keys and battery re-read and
// their twelve rows rewritten, on this machine and on the simulated laptop.

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "app/FormVeltrix.h"
#include "platform/linux/areas/linux_machine.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_reader.h"
#include "window/ui/application.h"

namespace {

void Tick(benchmark::State& state, platform::Machine& machine) {
    app::FormVeltrix window(machine);
    window.Load();
    window.TimerVeltrix().SetEnabled(false);  // only the measured ticks run
    for (auto _ : state) window.TimerVeltrix_Timer();
}

void TickLinux(benchmark::State& state) {
    platform::linux_backend::LinuxMachineOptions options;
    options.realWaits = false;  // start-up's clock wait is not what is measured
    platform::linux_backend::LinuxMachine machine(std::move(options));
    Tick(state, machine);
}
BENCHMARK(TickLinux)->Unit(benchmark::kMicrosecond);

void TickSimulated(benchmark::State& state) {
    std::ifstream in(std::string(VELTRIX_SOURCE_DIR) + "/tests/machines/laptop.json");
    std::stringstream text;
    text << in.rdbuf();
    platform::sim::SimMachine machine(platform::sim::ParseMachineText(text.str()));
    Tick(state, machine);
}
BENCHMARK(TickSimulated)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    window::ui::Application application(argc, argv, L"Veltrix");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
