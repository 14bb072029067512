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
    // Identifiers (MAC addresses, serial numbers, host and user names) are
    // masked in everything the machine answers (docs/captures.md, "Privacy").
    // The Linux machine and captured trees only; a machine file is refused
    // here (veltrix-report masks one by capturing it masked, then reporting
    // the masked file).
    bool privacy = false;
    std::string error = {};   // set when the options contradict each other; CreateMachine refuses them
};

struct MachineOrError {
    std::unique_ptr<Machine> machine;
    // Set when machine is null: where and why it failed, one line with every
    // byte that is not printable escaped ("\x1B").
    std::string error;
};

MachineOrError CreateMachine(const MachineOptions& options);

// A simulated machine from the text of a machine file; `name` says where the
// text came from in the error line.
MachineOrError CreateMachineFromText(std::string text, const std::string& name);

// The options the environment asks for: VELTRIX_MACHINE or VELTRIX_ROOT;
// both at once is an error.
MachineOptions MachineOptionsFromEnvironment();

}  // namespace platform
