#pragma once
// The machine file is UTF-8; the simulated machine hands its texts over in
// its own code page (SimAreas::codePage), as a real one hands over what it
// holds.

#include <string>

#include "base/codepage.h"
#include "platform/sim/sim_reader.h"

namespace platform::sim {

inline std::string MachineText(const std::string& utf8, base::CodePage page) {
    return base::EncodeText(page, base::DecodeUtf8(utf8));
}
inline std::string MachineText(const Node& node, base::CodePage page) { return MachineText(node.Text(), page); }

}  // namespace platform::sim
