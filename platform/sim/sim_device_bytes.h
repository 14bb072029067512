#pragma once
// Bytes in the machine file: a string of hexadecimal digit pairs, blanks
// allowed between them ("12 01 00 02"), as device replies are written.

#include <cstdint>
#include <vector>

#include "platform/sim/sim_reader.h"

namespace platform::sim {

std::vector<std::uint8_t> HexBytes(const Node& node);

}  // namespace platform::sim
