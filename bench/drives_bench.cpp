// Creating the three drive collectors (hard, optical and logical drives) on
// the Linux backend: on this machine and on the largest drive tree. Each
// round starts from a fresh machine, so nothing read by the last round is
// reused; making the machine is not timed.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "collectors/HardDrives.h"
#include "collectors/LogicalDrives.h"
#include "collectors/OpticalDrives.h"
#include "platform/linux/linux_machine.h"

namespace {

std::unique_ptr<platform::linux_backend::LinuxMachine> Machine(const std::string& root) {
    platform::linux_backend::LinuxMachineOptions options;
    options.root = root;
    options.realWaits = false;
    return std::make_unique<platform::linux_backend::LinuxMachine>(std::move(options));
}

void CreateDriveCollectors(benchmark::State& state, const std::string& root) {
    for (auto _ : state) {
        state.PauseTiming();
        auto machine = Machine(root);
        state.ResumeTiming();
        collectors::HardDrives hard(*machine);
        collectors::OpticalDrives optical(*machine);
        collectors::LogicalDrives logical(*machine);
        benchmark::DoNotOptimize(hard.Count() + optical.Count() + logical.Count());
    }
}

void DriveCollectorsThisMachine(benchmark::State& state) { CreateDriveCollectors(state, "/"); }
BENCHMARK(DriveCollectorsThisMachine)->Unit(benchmark::kMicrosecond);

void DriveCollectorsStorageDesktopTree(benchmark::State& state) {
    CreateDriveCollectors(state, std::string(VELTRIX_SOURCE_DIR) + "/tests/trees/storage-desktop");
}
BENCHMARK(DriveCollectorsStorageDesktopTree)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
