#pragma once
// Writing this machine (or a captured tree) as a machine file: the part of
// veltrix-capture both systems share. The file is written whole or not at
// all (a temporary file beside it, renamed over it), so an existing file is
// only ever replaced by a complete capture.

#include <ostream>
#include <string>
#include <vector>

#include "cli/common/command_output.h"

namespace cli {

struct MachineFileCapture {
    std::string file;     // the machine file to write
    std::string root = "/";  // a captured tree instead of this machine (Linux)
    bool privacy = false;  // the machine masks what it answers (the Linux backend)
    bool maskFile = false; // the file is masked once recorded (a machine that cannot mask)
};

// Status 0 done, 1 the machine could not be read or the file not written.
int WriteMachineFileCapture(const MachineFileCapture& capture, CommandOutput& out, std::ostream& err);

// veltrix-capture [--privacy] [--help] [--version] FILE.json: the command
// where the machine file is the only capture (Windows). Bad input: one
// line on standard error, status 2.
int RunMachineFileCapture(const std::vector<std::string>& args, CommandOutput& out, std::ostream& err);

}  // namespace cli
