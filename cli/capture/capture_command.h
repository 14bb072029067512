#pragma once
// veltrix-capture [--privacy] [--help] [--version] DIR
// veltrix-capture [--privacy] [--root DIR] --machine-file FILE.json
// Runs the Linux backend on this machine through everything the report asks
// and writes what it read (files) and was told (recorded replies) into DIR,
// which must not exist or be empty. `veltrix-report --root DIR` then reports
// this machine anywhere. With --privacy the backend masks the identifiers in
// everything it reads, so the tree holds only their masks. Bad input: one
// line on standard error, status 2; a capture that cannot be written: one
// line, status 1. With --machine-file the machine (or the tree --root
// names) is recorded as a machine file instead (docs/captures.md).

#include <ostream>
#include <string>
#include <vector>

#include "cli/common/command_output.h"

namespace cli {

struct CaptureArguments {
    bool help = false;
    bool version = false;
    bool privacy = false;
    std::string directory;
    std::string machineFile;  // --machine-file
    std::string root;         // --root, with --machine-file only
};

// Parses the arguments (without the program name); on failure returns false
// and sets `error` to the line to show.
bool ParseCaptureArguments(const std::vector<std::string>& args, CaptureArguments& parsed, std::string& error);

int RunCapture(const std::vector<std::string>& args, CommandOutput& out, std::ostream& err);

}  // namespace cli
