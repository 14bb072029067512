#pragma once
// What a recorded machine answered, kept as the machine file says it
// (docs/machine-file.md): one JSON object with a section per area, filled in
// by the recording decorators as the collectors ask, and written out once
// they are done. Texts arrive in the machine's code page and are kept as
// UTF-8; device replies are kept as their bytes in hex pairs.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "base/codepage.h"

namespace platform::recording {

using FileJson = nlohmann::ordered_json;

struct MachineRecord {
    FileJson file = FileJson::object();
    base::CodePage codePage = base::CodePage::kWindows1252;

    // A text the machine handed over in its code page, as the file's UTF-8.
    std::string Text(std::string_view machineBytes) const;
    // True when Text() of these bytes reads back to exactly them, so the
    // file may keep them as a text rather than as bytes.
    bool TextKeepsBytes(std::string_view machineBytes) const;
};

// "0A 1B 2C": the reader takes pairs of hexadecimal digits, blanks between.
std::string HexPairs(std::span<const std::uint8_t> bytes);
// The zero-ended text of a fixed field (or of a buffer from `offset`).
std::string_view ZeroEnded(std::span<const std::uint8_t> bytes, std::size_t offset = 0,
                           std::size_t limit = std::string_view::npos);

}  // namespace platform::recording
