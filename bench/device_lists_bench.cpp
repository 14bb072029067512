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
#include "fresh_machine.h"

namespace {

void CreateFour(benchmark::State& state, const std::string& root) {
    bench::CreateOnFreshMachines<collectors::Sound, collectors::Joysticks, collectors::Printers, collectors::Ports>(
        state, root);
}

void CreateFourDeviceListsTree(benchmark::State& state) {
    CreateFour(state, std::string(VELTRIX_SOURCE_DIR) + "/tests/trees/gamepad-desktop");
}
BENCHMARK(CreateFourDeviceListsTree)->Unit(benchmark::kMicrosecond);

// This machine as it is: no print server answers on its socket.
void CreateFourDeviceListsLinux(benchmark::State& state) { CreateFour(state, "/"); }
BENCHMARK(CreateFourDeviceListsLinux)->Unit(benchmark::kMicrosecond);

}  // namespace
