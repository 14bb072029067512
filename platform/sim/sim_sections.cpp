#include "platform/sim/sim_sections.h"

#include "platform/sim/sim_areas.h"

namespace platform::sim {

namespace {

// Free text for the reader of the file; the machine has no use for it.
void ReadComment(const Node& comment, SimAreas&) { (void)comment.Text(); }

// Read in this order, whatever the order in the file: "live" builds on the
// states of "memory", "power" and "keys".
constexpr Section kSections[] = {
    {"comment", &ReadComment},
    {"processor", &ReadProcessorSection},
    {"memory", &ReadMemorySection},
    {"power", &ReadPowerSection},
    {"keys", &ReadKeysSection},
    {"live", &ReadLiveSection},
    {"keyboard", &ReadKeyboardSection},
    {"mouse", &ReadMouseSection},
    {"system", &ReadSystemSection},
    {"regional", &ReadRegionalSection},
    // Device areas: one line per section.
    {"display", &ReadDisplaySection},
    {"registry", &ReadRegistrySection},
    {"network", &ReadNetworkSection},
    {"usb", &ReadUsbSection},
    {"disks", &ReadDisksSection},
    {"optical_drives", &ReadOpticalDrivesSection},
    {"aspi", &ReadAspiSection},
    {"logical_drives", &ReadLogicalDrivesSection},
    {"wave", &ReadWaveSection},
    {"joysticks", &ReadJoysticksSection},
    {"spooler", &ReadSpoolerSection},
};

}  // namespace

std::span<const Section> Sections() { return kSections; }

}  // namespace platform::sim
