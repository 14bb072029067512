#include "platform/sim/sim_sections.h"

#include "platform/sim/sim_areas.h"

namespace platform::sim {

namespace {

// Free text for the reader of the file; the machine has no use for it.
void ReadComment(const Node& comment, SimAreas&) { (void)comment.Text(); }

// The code page the machine hands its texts over in; the file itself is
// UTF-8 whatever it says here.
void ReadCodePage(const Node& codePage, SimAreas& areas) {
    const std::string name = codePage.Text();
    if (name == "windows-1252") areas.codePage = base::CodePage::kWindows1252;
    else if (name == "utf-8") areas.codePage = base::CodePage::kUtf8;
    else codePage.Fail("expected \"windows-1252\" or \"utf-8\"");
}

// Read in this order, whatever the order in the file: every text is handed
// over in the "code_page"; "live" builds on the states of "memory", "power"
// and "keys".
constexpr Section kSections[] = {
    {"comment", &ReadComment},
    {"code_page", &ReadCodePage},
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
    {"elevated", &ReadElevatedSection},
    {"wave", &ReadWaveSection},
    {"joysticks", &ReadJoysticksSection},
    {"spooler", &ReadSpoolerSection},
};

}  // namespace

std::span<const Section> Sections() { return kSections; }

}  // namespace platform::sim
