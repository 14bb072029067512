#pragma once
// The machine file is UTF-8; the simulated machine hands its texts over in
// its own code page (SimAreas::codePage), as a real one hands over what it
// holds.

#include <algorithm>
#include <string>

#include "base/codepage.h"
#include "platform/sim/sim_reader.h"

namespace platform::sim {

// ASCII is the same bytes in UTF-8 and Windows-1252: most texts of a large
// file pass through as they are, without being widened and narrowed again.
inline std::string MachineText(std::string utf8, base::CodePage page) {
    const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii && (page == base::CodePage::kWindows1252 || page == base::CodePage::kUtf8)) return utf8;
    return base::EncodeText(page, base::DecodeUtf8(utf8));
}
inline std::string MachineText(const Node& node, base::CodePage page) { return MachineText(node.Text(), page); }

}  // namespace platform::sim
