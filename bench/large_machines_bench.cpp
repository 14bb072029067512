// Machines with thousands of devices. A tree on disk is made once outside
// the measurement and what is measured is the collector's enumeration; a
// machine file is timed from its bytes: reading the document, the simulated
// machine and the collector's list, which must grow with the file's size.
//   10,000 mounts (a container host), on a tree: each container's shared
//     memory, a tmpfs under /var/lib/containers that the page lists as a
//     RAM disk (those under /run it leaves out as the system's own)
//   200,000 display modes recorded from the X server, on a tree
//   100,000 USB devices on hubs of eight ports, in a machine file
//   5,000 network cards in the registry, in a machine file
//   10,000 and 100,000 USB devices, printers, registry entries (network
//   cards) and logical drives, compact and pretty-printed (MachineFile/...):
//   what a user waits for, the whole report of every category from the
//   file on disk, its reading and parsing included

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "collectors/Display.h"
#include "collectors/LogicalDrives.h"
#include "collectors/Network.h"
#include "collectors/USBDevices.h"
#include "app/pages/CollectorSet.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "fresh_machine.h"
#include "large_machine_files.h"
#include "platform/linux/io/randr_screen.h"
#include "platform/linux/io/reply_file.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_reader.h"

namespace {

namespace fs = std::filesystem;

// A tree written once for the whole run and removed at its end.
class BenchTree {
public:
    BenchTree() {
        std::string pattern = (fs::temp_directory_path() / "veltrix-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~BenchTree() { fs::remove_all(path_); }
    void Write(const std::string& relative, const std::string& content) const {
        const fs::path file = fs::path(path_) / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

const BenchTree& MountsTree() {
    static const BenchTree tree = [] {
        BenchTree t;
        std::string mountinfo;
        for (int i = 0; i < 10000; ++i)
            mountinfo += std::to_string(100 + i) + " 1 0:" + std::to_string(50 + i) +
                         " / /var/lib/containers/storage/overlay-containers/c" + std::to_string(i) +
                         "/userdata/shm rw - tmpfs shm rw\n";
        t.Write("proc/self/mountinfo", mountinfo);
        return t;
    }();
    return tree;
}

const BenchTree& ModesTree() {
    static const BenchTree tree = [] {
        BenchTree t;
        platform::linux_backend::RandrScreen screen;
        screen.bitsPerPixel = 32;
        for (std::uint32_t i = 0; i < 200000; ++i) screen.modes.push_back({640 + i % 4000, 480 + i / 4000, 60, i == 0});
        t.Write(".veltrix/replies/x11/randr-modes.hex",
                platform::linux_backend::FormatReplyFile("x11", "randr-modes",
                                                         platform::linux_backend::EncodeRandrScreen(screen)));
        return t;
    }();
    return tree;
}

// Reading a machine file, timed from its bytes: the document, the simulated
// machine and the collector's list, with the text's copy as a read makes it.
template <typename Collector>
void FromTheFileBytes(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) {
        const auto document = platform::sim::ParseMachineText(bytes);
        platform::sim::SimMachine machine(document);
        benchmark::DoNotOptimize(Collector(machine).Count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

const std::string& UsbFile() {
    static const std::string text = bench::LargeMachineText(bench::EntryKind::kUsbDevices, 100000);
    return text;
}

const std::string& NetworkFile() {
    static const std::string text = bench::LargeMachineText(bench::EntryKind::kRegistryEntries, 5000);
    return text;
}

void LogicalDrivesOf10000Mounts(benchmark::State& state) {
    const std::string root = MountsTree().Path();
    // Once, untimed: the tree lists every one of its drives, or nothing here
    // measures what the name says.
    if (const int listed = collectors::LogicalDrives(*bench::LinuxMachineWithoutWaits(root)).Count(); listed != 10000) {
        state.SkipWithError(("the tree lists " + std::to_string(listed) + " drives, not 10000").c_str());
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto machine = bench::LinuxMachineWithoutWaits(root);
        state.ResumeTiming();
        benchmark::DoNotOptimize(collectors::LogicalDrives(*machine).Count());
        state.PauseTiming();
        machine.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(LogicalDrivesOf10000Mounts)->Unit(benchmark::kMillisecond);

void DisplayOf200000RecordedModes(benchmark::State& state) {
    bench::CreateOnFreshMachines<collectors::Display>(state, ModesTree().Path());
}
BENCHMARK(DisplayOf200000RecordedModes)->Unit(benchmark::kMillisecond);

void UsbDevicesOf100000(benchmark::State& state) { FromTheFileBytes<collectors::USBDevices>(state, UsbFile()); }
BENCHMARK(UsbDevicesOf100000)->Unit(benchmark::kMillisecond);

void NetworkOf5000Cards(benchmark::State& state) { FromTheFileBytes<collectors::Network>(state, NetworkFile()); }
BENCHMARK(NetworkOf5000Cards)->Unit(benchmark::kMillisecond);

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// The whole report of every category, as veltrix-report writes it, from the
// file's bytes on disk (without the file size cap, which a pretty-printed
// file of 100,000 entries passes). `step` is told when each part is done:
// "document", "machine", "report".
template <typename Step>
std::size_t WholeReport(const std::string& path, Step step) {
    auto document = platform::sim::ParseMachineText(FileBytes(path));
    step("document");
    platform::sim::SimMachine machine(document);
    document = platform::sim::MachineDocument();  // dropped once read, as the machine factory does
    step("machine");
    app::CollectorSet collectors(machine);
    const auto report = app::ReportWriter(collectors, app::TranslatedWindowTexts()).Compose(app::kAllCategories);
    step("report");
    return report ? report->size() : 0;
}

// Every kind of entry at 10,000 and 100,000, compact and pretty-printed; each
// file is written when its benchmark first runs, outside the timing.
void RegisterWholeReports(bench::EntryKind kind) {
    for (const int count : {10000, 100000})
        for (const bool pretty : {false, true}) {
            const std::string name = std::string("MachineFile/") + bench::EntryKindName(kind) + "/" +
                                     std::to_string(count) + (pretty ? "/pretty" : "/compact");
            benchmark::RegisterBenchmark(name.c_str(), [kind, count, pretty, name](benchmark::State& state) {
                static const BenchTree files;
                std::string relative = name;
                std::replace(relative.begin(), relative.end(), '/', '-');
                const std::string path = files.Path() + "/" + relative + ".json";
                if (!fs::exists(path)) files.Write(relative + ".json", bench::LargeMachineFile(kind, count, pretty));
                const auto size = static_cast<std::int64_t>(fs::file_size(path));
                for (auto _ : state) benchmark::DoNotOptimize(WholeReport(path, [](const char*) {}));
                state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * size);
                state.counters["MB"] = static_cast<double>(size) / 1e6;
            })->Unit(benchmark::kMillisecond);
        }
}

// Writes the whole report of a file as the benchmark does, and says on
// standard error what each part cost in processor time and the peak memory
// once the document was read.
int ReportFromFile(const std::string& path) {
    auto milliseconds = [start = std::clock()]() mutable {
        const std::clock_t now = std::clock();
        const double spent = 1000.0 * static_cast<double>(now - start) / CLOCKS_PER_SEC;
        start = now;
        return spent;
    };
    std::string steps;
    const std::size_t size = WholeReport(path, [&](const char* part) {
        char line[96];
        std::snprintf(line, sizeof line, "%s%s %.1f ms", steps.empty() ? "" : ", ", part, milliseconds());
        steps += line;
        if (std::string(part) == "document") {
            rusage usage{};
            ::getrusage(RUSAGE_SELF, &usage);
            steps += " (peak " + std::to_string(usage.ru_maxrss) + " KB)";
        }
    });
    std::fprintf(stderr, "%s (processor time)\n", steps.c_str());
    std::printf("%zu\n", size);
    return size > 0 ? 0 : 1;
}

// --write KIND COUNT compact|pretty FILE writes a machine file; --report
// FILE writes its whole report as the benchmark does and prints the
// report's size (for peak-memory, bench/large_machines.sh).
int FileCommand(int argc, char** argv) {
    const std::string command = argv[1];
    if (command == "--report" && argc == 3) return ReportFromFile(argv[2]);
    if (command != "--write" || argc != 6) return 2;
    const std::string kindName = argv[2];
    bench::EntryKind kind = bench::EntryKind::kUsbDevices;
    for (const auto k : {bench::EntryKind::kUsbDevices, bench::EntryKind::kPrinters, bench::EntryKind::kRegistryEntries,
                         bench::EntryKind::kLogicalDrives})
        if (kindName == bench::EntryKindName(k)) kind = k;
    std::ofstream(argv[5], std::ios::binary) << bench::LargeMachineFile(kind, std::stoi(argv[3]), std::string(argv[4]) == "pretty");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && (std::string(argv[1]) == "--write" || std::string(argv[1]) == "--report"))
        return FileCommand(argc, argv);
    for (const auto kind : {bench::EntryKind::kUsbDevices, bench::EntryKind::kPrinters,
                            bench::EntryKind::kRegistryEntries, bench::EntryKind::kLogicalDrives})
        RegisterWholeReports(kind);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
