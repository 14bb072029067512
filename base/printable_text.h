#pragma once
// Messages quote what the user or a file gave: file names, keys of a machine
// file, tokens of a reply file. Those bytes may hold terminal controls (ESC
// starts a colour or cursor sequence, BEL rings) that must never reach the
// terminal raw, so every message goes out through EscapeNonPrintable.

#include <string>
#include <string_view>

namespace base {

// The text with every byte that is not printable written as "\xHH": the C0
// controls and DEL, the C1 controls (U+0080 to U+009F, which some terminals
// obey), and bytes that are not part of a valid UTF-8 sequence. Printable
// UTF-8 (accented letters in a folder name) stays as it is.
std::string EscapeNonPrintable(std::string_view text);

}  // namespace base
