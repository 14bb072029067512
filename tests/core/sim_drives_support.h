#pragma once
// Simulated drives from inline JSON, read by the machine file's own drive
// section readers.

#include <memory>
#include <string>

#include "platform/sim/sim_drives.h"
#include "platform/sim/sim_drives_reader.h"
#include "platform/sim/sim_reader.h"

namespace testing_support {

inline std::unique_ptr<platform::sim::SimDrives> SimDrivesFrom(const std::string& json) {
    using namespace platform::sim;
    const auto document = ParseMachineText(json);
    auto drives = std::make_unique<SimDrives>();
    const Node root = Node::RootOf(document);
    if (const auto s = root.Member("disks")) ReadDisks(*s, *drives);
    if (const auto s = root.Member("optical_drives")) ReadOpticalDrives(*s, *drives);
    if (const auto s = root.Member("aspi")) ReadAspi(*s, *drives);
    if (const auto s = root.Member("logical_drives")) ReadLogicalDrives(*s, *drives);
    if (const auto s = root.Member("elevated")) drives->elevated = s->Boolean();
    return drives;
}

}  // namespace testing_support
