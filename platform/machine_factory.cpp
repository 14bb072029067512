#include "platform/machine_factory.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/linux/linux_machine.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_reader.h"

namespace platform {

MachineOrError CreateMachine(const MachineOptions& options) {
    MachineOrError result;
    if (options.machineFile.empty()) {
        result.machine = linux_backend::OpenLinuxMachine(options.root, result.error, options.realWaits);
        return result;
    }
    std::ifstream in(options.machineFile, std::ios::binary);
    if (!in) {
        result.error = options.machineFile + ": cannot be read";
        return result;
    }
    std::stringstream text;
    text << in.rdbuf();
    try {
        result.machine = std::make_unique<sim::SimMachine>(sim::ParseMachineText(text.str()));
    } catch (const sim::SimFileError& e) {
        result.error = options.machineFile + ": " + e.what();
    }
    return result;
}

MachineOptions MachineOptionsFromEnvironment() {
    MachineOptions options;
    if (const char* file = std::getenv("VELTRIX_MACHINE"); file && *file) options.machineFile = file;
    if (const char* root = std::getenv("VELTRIX_ROOT"); root && *root) options.root = root;
    return options;
}

}  // namespace platform
