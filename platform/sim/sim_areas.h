#pragma once
// The simulated machine's answers, one object per area, filled by the
// section readers (sim_sections.cpp) and handed out by SimMachine.

#include "platform/sim/sim_drives.h"
#include "platform/sim/sim_kernel.h"
#include "platform/sim/sim_multimedia.h"
#include "platform/sim/sim_spooler.h"

namespace platform::sim {

struct SimAreas {
    SimKernel kernel;
    // Device areas: one member per area the simulated machine answers.
    SimDrives drives;
    SimMultimedia multimedia;
    SimSpooler spooler;
};

}  // namespace platform::sim
