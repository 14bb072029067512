#include "platform/sim/sim_machine.h"

#include <vector>

#include "platform/sim/sim_sections.h"

namespace platform::sim {

SimMachine::SimMachine(const MachineDocument& document) : areas_(std::make_unique<SimAreas>()) {
    const Node root = Node::RootOf(document);
    std::vector<const char*> keys;
    for (const Section& section : Sections()) keys.push_back(section.key);
    root.OnlyKeys(keys);
    // A section set to null has nothing to say, exactly as a missing one.
    for (const Section& section : Sections())
        if (auto node = root.Member(section.key); node && !node->IsNull()) section.read(*node, *areas_);
}

SimMachine::~SimMachine() = default;

void SimMachine::Advance() {
    SimKernel& k = kernel();
    if (k.liveStep + 1 < k.live.size()) ++k.liveStep;
}

// Device areas: `XServices& SimMachine::X() { return areas_->x; }`.
DisplayServices& SimMachine::Display() { return areas_->display; }
NetworkServices& SimMachine::Network() { return areas_->network; }
UsbServices& SimMachine::Usb() { return areas_->usb; }
DriveServices& SimMachine::Drives() { return areas_->drives; }
MultimediaServices& SimMachine::Multimedia() { return areas_->multimedia; }
SpoolerServices& SimMachine::Spooler() { return areas_->spooler; }

}  // namespace platform::sim
