// Machines with thousands of devices, each made once outside the measurement
// (a tree on disk, a machine file parsed): what is measured is the
// collector's enumeration after the files are read, which must grow with the
// device count and stay under 100 ms at these sizes.
//   10,000 mounts (a container host), on a tree: each container's shared
//     memory, a tmpfs under /var/lib/containers that the page lists as a
//     RAM disk (those under /run it leaves out as the system's own)
//   200,000 display modes recorded from the X server, on a tree
//   100,000 USB devices on hubs of eight ports, in a machine file
//   5,000 network cards in the registry, in a machine file

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "collectors/Display.h"
#include "collectors/LogicalDrives.h"
#include "collectors/Network.h"
#include "collectors/USBDevices.h"
#include "fresh_machine.h"
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

// Device i > 0 sits on port (i - 1) % 8 + 1 of device (i - 1) / 8; every device is a hub of eight ports.
const nlohmann::json& UsbFile() {
    static const nlohmann::json document = [] {
        std::string devices;
        for (int i = 0; i < 100000; ++i) {
            const std::string n = std::to_string(i);
            devices += R"({"id": "USB\\D\\)" + n + R"(", "ports": 8, "driver": "{usb}\\)" + n +
                       R"(", "device": "12 01 00 02 09 00 00 40 6B 1D 02 00 06 05 03 02 01 01")";
            if (i > 0)
                devices += R"(, "parent": "USB\\D\\)" + std::to_string((i - 1) / 8) + R"(", "port": )" +
                           std::to_string((i - 1) % 8 + 1);
            devices += i + 1 < 100000 ? "}," : "}";
        }
        return platform::sim::ParseMachineText(R"({"usb": {"devices": [)" + devices + "]}}");
    }();
    return document;
}

const nlohmann::json& NetworkFile() {
    static const nlohmann::json document = [] {
        std::string registry, network;
        for (int i = 0; i < 5000; ++i) {
            const std::string n = std::to_string(i);
            const std::string comma = i + 1 < 5000 ? "," : "";
            registry += R"("Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\)" + n +
                        R"(": {"ServiceName": "Card)" + n + "\"}" + comma;
            network += R"("Card)" + n + R"(": {"address": "00 1B 21 3A 5B 7F", "description": "Card", "version": "0A 04"})" +
                       comma;
        }
        return platform::sim::ParseMachineText(R"({"registry": {)" + registry + R"(}, "network": {)" + network + "}}");
    }();
    return document;
}

template <typename Collector>
void OnSimulatedMachines(benchmark::State& state, const nlohmann::json& document) {
    for (auto _ : state) {
        state.PauseTiming();
        auto machine = std::make_unique<platform::sim::SimMachine>(document);
        state.ResumeTiming();
        benchmark::DoNotOptimize(Collector(*machine).Count());
        state.PauseTiming();
        machine.reset();
        state.ResumeTiming();
    }
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

void UsbDevicesOf100000(benchmark::State& state) { OnSimulatedMachines<collectors::USBDevices>(state, UsbFile()); }
BENCHMARK(UsbDevicesOf100000)->Unit(benchmark::kMillisecond);

void NetworkOf5000Cards(benchmark::State& state) { OnSimulatedMachines<collectors::Network>(state, NetworkFile()); }
BENCHMARK(NetworkOf5000Cards)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
