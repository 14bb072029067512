#pragma once
// The drive sections of the machine file (docs/machine-file.md): "disks",
// "optical_drives", "aspi" and "logical_drives".

#include "base/codepage.h"
#include "platform/sim/sim_drives.h"
#include "platform/sim/sim_reader.h"

namespace platform::sim {

void ReadDisks(const Node& section, SimDrives& drives, base::CodePage page = base::CodePage::kWindows1252);
void ReadOpticalDrives(const Node& section, SimDrives& drives, base::CodePage page = base::CodePage::kWindows1252);
void ReadAspi(const Node& section, SimDrives& drives, base::CodePage page = base::CodePage::kWindows1252);
void ReadLogicalDrives(const Node& section, SimDrives& drives, base::CodePage page = base::CodePage::kWindows1252);

// Bytes written as hexadecimal pairs, blanks allowed between pairs ("12 00 24").
ByteString HexBytes(const Node& node);

}  // namespace platform::sim
