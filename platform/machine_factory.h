#pragma once
// Chooses the backend: a simulated machine from a JSON file, or the real
// Linux machine read under a file-system root ("/" for this machine).

#include <memory>
#include <string>

#include "platform/machine.h"

namespace platform {

struct MachineOptions {
    std::string machineFile;  // JSON machine file; empty for the Linux backend
    std::string root = "/";   // file-system root of the Linux backend
    // False makes waits return at once (benchmarks that leave out the clock
    // measurement's half second); simulated machines never wait anyway.
    bool realWaits = true;
};

struct MachineOrError {
    std::unique_ptr<Machine> machine;
    std::string error;  // set when machine is null: where and why it failed
};

MachineOrError CreateMachine(const MachineOptions& options);

// The options the environment asks for: VELTRIX_MACHINE and VELTRIX_ROOT.
MachineOptions MachineOptionsFromEnvironment();

}  // namespace platform
