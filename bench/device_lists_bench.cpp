// Creating the sound, joystick, printer and port collectors together on the
// linux backend: on the gamepad desktop's tree (every one of them has
// devices there; the printers come from the recorded answer) and on this
// machine. Each run gets a fresh machine, so nothing read by the last run is
// reused; making the machine is outside the measurement.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "collectors/Joysticks.h"
#include "collectors/Ports.h"
#include "collectors/Printers.h"
#include "collectors/Sound.h"
#include "platform/linux/linux_machine.h"

namespace {

std::unique_ptr<platform::linux_backend::LinuxMachine> Machine(const std::string& root) {
    platform::linux_backend::LinuxMachineOptions options;
    options.root = root;
    options.realWaits = false;
    return std::make_unique<platform::linux_backend::LinuxMachine>(std::move(options));
}

void CreateFour(benchmark::State& state, const std::string& root) {
    for (auto _ : state) {
        state.PauseTiming();
        auto machine = Machine(root);
        state.ResumeTiming();
        collectors::Sound sound(*machine);
        collectors::Joysticks joysticks(*machine);
        collectors::Printers printers(*machine);
        collectors::Ports ports(*machine);
        benchmark::DoNotOptimize(sound.Count() + joysticks.Count() + printers.Count() + ports.Count());
        state.PauseTiming();
        machine.reset();
        state.ResumeTiming();
    }
}

void CreateFourDeviceListsTree(benchmark::State& state) {
    CreateFour(state, std::string(VELTRIX_SOURCE_DIR) + "/tests/trees/gamepad-desktop");
}
BENCHMARK(CreateFourDeviceListsTree)->Unit(benchmark::kMicrosecond);

// This machine as it is: no print server answers on its socket.
void CreateFourDeviceListsLinux(benchmark::State& state) { CreateFour(state, "/"); }
BENCHMARK(CreateFourDeviceListsLinux)->Unit(benchmark::kMicrosecond);

}  // namespace
