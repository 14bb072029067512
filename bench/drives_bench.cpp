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
#include "fresh_machine.h"

namespace {

void CreateDriveCollectors(benchmark::State& state, const std::string& root) {
    bench::CreateOnFreshMachines<collectors::HardDrives, collectors::OpticalDrives, collectors::LogicalDrives>(state,
                                                                                                            root);
}

void DriveCollectorsThisMachine(benchmark::State& state) { CreateDriveCollectors(state, "/"); }
BENCHMARK(DriveCollectorsThisMachine)->Unit(benchmark::kMicrosecond);

void DriveCollectorsStorageDesktopTree(benchmark::State& state) {
    CreateDriveCollectors(state, std::string(VELTRIX_SOURCE_DIR) + "/tests/trees/storage-desktop");
}
BENCHMARK(DriveCollectorsStorageDesktopTree)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
