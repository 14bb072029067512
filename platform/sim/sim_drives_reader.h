#pragma once
// The drive sections of the machine file (docs/machine-file.md): "disks",
// "optical_drives", "aspi" and "logical_drives".

#include "platform/sim/sim_drives.h"
#include "platform/sim/sim_reader.h"

namespace platform::sim {

void ReadDisks(const Node& section, SimDrives& drives);
void ReadOpticalDrives(const Node& section, SimDrives& drives);
void ReadAspi(const Node& section, SimDrives& drives);
void ReadLogicalDrives(const Node& section, SimDrives& drives);

// Bytes written as hexadecimal pairs, blanks allowed between pairs ("12 00 24").
ByteString HexBytes(const Node& node);

}  // namespace platform::sim
