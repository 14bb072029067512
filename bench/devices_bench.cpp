// Creating the display, network and USB collectors on the Linux backend, on
// the workstation tree: with its small ID databases, and with this
// machine's full pci.ids and usb.ids copied into a temporary copy of the
// tree. Each run starts a fresh machine, as the program does, so the
// databases are read every run; the machine alone is measured beside them.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "collectors/Display.h"
#include "collectors/Network.h"
#include "collectors/USBDevices.h"
#include "platform/linux/areas/linux_machine.h"

namespace {

namespace fs = std::filesystem;
using platform::linux_backend::LinuxMachine;
using platform::linux_backend::LinuxMachineOptions;

std::string Workstation() { return std::string(VELTRIX_SOURCE_DIR) + "/tests/trees/workstation"; }

// The tree with the installed databases in place of its own (made once).
std::string WorkstationWithFullDatabases() {
    static const std::string copy = [] {
        const fs::path dir = fs::temp_directory_path() / "veltrix-bench-workstation";
        fs::remove_all(dir);
        fs::copy(Workstation(), dir, fs::copy_options::recursive);
        for (const char* name : {"pci.ids", "usb.ids"}) {
            for (const char* from : {"/usr/share/hwdata/", "/usr/share/misc/"}) {
                if (fs::exists(std::string(from) + name)) {
                    fs::copy_file(std::string(from) + name, dir / "usr/share/hwdata" / name,
                                  fs::copy_options::overwrite_existing);
                    break;
                }
            }
        }
        return dir.string();
    }();
    return copy;
}

LinuxMachine MachineAt(const std::string& root) {
    LinuxMachineOptions options;
    options.root = root;
    options.session = {};
    options.realWaits = false;
    return LinuxMachine(std::move(options));
}

void CreateThree(const std::string& root) {
    auto machine = MachineAt(root);
    collectors::Display display(machine);
    collectors::Network network(machine);
    collectors::USBDevices usb(machine);
    benchmark::DoNotOptimize(display.Count() + network.Count() + usb.Count());
}

void MachineOnWorkstationTree(benchmark::State& state) {
    for (auto _ : state) {
        auto machine = MachineAt(Workstation());
        benchmark::DoNotOptimize(machine.OpenError());
    }
}
BENCHMARK(MachineOnWorkstationTree)->Unit(benchmark::kMicrosecond);

void CreateDeviceCollectorsWorkstation(benchmark::State& state) {
    for (auto _ : state) CreateThree(Workstation());
}
BENCHMARK(CreateDeviceCollectorsWorkstation)->Unit(benchmark::kMicrosecond);

void CreateDeviceCollectorsWorkstationFullIdDatabases(benchmark::State& state) {
    const std::string root = WorkstationWithFullDatabases();
    for (auto _ : state) CreateThree(root);
}
BENCHMARK(CreateDeviceCollectorsWorkstationFullIdDatabases)->Unit(benchmark::kMicrosecond);

}  // namespace
