#pragma once
// The machine the window shows, chosen by the environment (VELTRIX_MACHINE,
// VELTRIX_ROOT). The window is mostly started from the desktop, where
// standard error goes nowhere a user looks: a machine that cannot be opened
// is reported on standard error and in a message box with the same line.

#include <memory>
#include <ostream>

#include "platform/machine.h"
#include "platform/machine_factory.h"

namespace app {

// Nothing when the machine cannot be opened, after telling the user why.
std::unique_ptr<platform::Machine> OpenWindowMachine(const platform::MachineOptions& options, std::ostream& err);

}  // namespace app
