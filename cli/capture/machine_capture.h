#pragma once
// A machine captured as a machine file: every request the collectors make
// (what the report asks, and one tick of the window's timer) goes through
// the recording machine, and what was answered is written in the machine
// file's format (docs/machine-file.md), which `veltrix-report --machine`
// then reports anywhere.

#include <string>

#include "platform/machine.h"

namespace cli {

// Asks everything the report asks, and what the window asks besides.
void AskEverything(platform::Machine& machine);

// The machine file of `machine`: UTF-8 JSON, ended by a line break. With
// `maskIdentifiers` the file's identifiers are masked (for a machine that
// does not mask what it answers itself).
std::string CaptureMachineFile(platform::Machine& machine, const std::string& comment, bool maskIdentifiers = false);

}  // namespace cli
