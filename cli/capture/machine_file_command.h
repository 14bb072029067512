#pragma once
// Writing this machine (or a captured tree) as a machine file: the part of
// veltrix-capture both systems share. The file is written whole or not at
// all (a temporary file beside it, renamed over it), so an existing file is
// only ever replaced by a complete capture.

#include <ostream>
#include <string>

#include "cli/common/command_output.h"

namespace cli {

struct MachineFileCapture {
    std::string file;     // the machine file to write
    std::string root = "/";  // a captured tree instead of this machine (Linux)
    bool privacy = false;
};

// Status 0 done, 1 the machine could not be read or the file not written.
int WriteMachineFileCapture(const MachineFileCapture& capture, CommandOutput& out, std::ostream& err);

}  // namespace cli
