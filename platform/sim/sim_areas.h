#pragma once
// The simulated machine's answers, one object per area, filled by the
// section readers (sim_sections.cpp) and handed out by SimMachine.

#include "base/codepage.h"
#include "platform/sim/sim_display.h"
#include "platform/sim/sim_drives.h"
#include "platform/sim/sim_kernel.h"
#include "platform/sim/sim_network.h"
#include "platform/sim/sim_usb.h"
#include "platform/sim/sim_multimedia.h"
#include "platform/sim/sim_spooler.h"

namespace platform::sim {

struct SimAreas {
    // The code page the file's texts are handed over in (its "code_page"),
    // read before every other section.
    base::CodePage codePage = base::CodePage::kWindows1252;
    SimKernel kernel;
    // Device areas: one member per area the simulated machine answers.
    SimDisplay display;
    SimNetwork network;
    SimUsb usb;
    SimDrives drives;
    SimMultimedia multimedia;
    SimSpooler spooler;
};

}  // namespace platform::sim
