// The privacy filter on a large mount table: 100,000 mounts whose options
// are a plain "rw" (a container host), listed by the logical-drives page with
// and without --privacy, and the filter alone on the table's text. Masking
// must cost about what reading costs, at any size of table. The tree is
// written once; making each round's machine is not timed.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "collectors/LogicalDrives.h"
#include "fresh_machine.h"
#include "platform/linux/privacy/privacy_filter.h"
#include "platform/linux/privacy/privacy_key.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMounts = 100000;

std::string MountTable(int mounts) {
    std::string table;
    for (int i = 0; i < mounts; ++i)
        table += std::to_string(100 + i) + " 1 8:1 / /srv/volume" + std::to_string(i) + " rw - ext4 /dev/sda1 rw\n";
    return table;
}

// A tree holding only the mount table, removed when the run ends.
const std::string& MountsTreePath() {
    static const struct Tree {
        Tree() {
            std::string pattern = (fs::temp_directory_path() / "veltrix-privacy-bench-XXXXXX").string();
            path = ::mkdtemp(pattern.data());
            fs::create_directories(path + "/proc/self");
            std::ofstream(path + "/proc/self/mountinfo", std::ios::binary) << MountTable(kMounts);
        }
        ~Tree() { fs::remove_all(path); }
        std::string path;
    } tree;
    return tree.path;
}

void ListMounts(benchmark::State& state, bool privacy) {
    const std::string& root = MountsTreePath();
    for (auto _ : state) {
        state.PauseTiming();
        platform::linux_backend::LinuxMachineOptions options;
        options.root = root;
        options.realWaits = false;
        options.privacy = privacy;
        auto machine = std::make_unique<platform::linux_backend::LinuxMachine>(std::move(options));
        state.ResumeTiming();
        benchmark::DoNotOptimize(collectors::LogicalDrives(*machine).Count());
        state.PauseTiming();
        machine.reset();
        state.ResumeTiming();
    }
}

void LogicalDrivesOf100000PlainMounts(benchmark::State& state) { ListMounts(state, false); }
BENCHMARK(LogicalDrivesOf100000PlainMounts)->Unit(benchmark::kMillisecond);

void LogicalDrivesOf100000PlainMountsMasked(benchmark::State& state) { ListMounts(state, true); }
BENCHMARK(LogicalDrivesOf100000PlainMountsMasked)->Unit(benchmark::kMillisecond);

void MaskMountTable(benchmark::State& state) {
    const std::string table = MountTable(static_cast<int>(state.range(0)));
    const platform::linux_backend::PrivacyFilter filter(platform::linux_backend::PrivacyKeyFrom("bench"), {});
    for (auto _ : state) benchmark::DoNotOptimize(filter.MaskFile("/proc/self/mountinfo", table));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * table.size()));
}
BENCHMARK(MaskMountTable)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
