#pragma once
// Text from the machine and from files is untrusted: a device chooses its own
// strings, and captures travel with bug reports. Such text may hold terminal
// controls (ESC starts a colour or cursor sequence, BEL rings) or line breaks
// that would forge a line of the report. Inside the program it is kept as it
// is (names are keys of later requests); every output makes it safe with one
// rule, here: the value labels and the report through PrintableText, error
// lines through EscapeNonPrintable. Both write a control character as "\xHH".

#include <cstdint>
#include <string>
#include <string_view>

namespace base {

// The text with every byte that is not printable written as "\xHH": the C0
// controls and DEL, the C1 controls (U+0080 to U+009F, which some terminals
// obey), the line and paragraph separators U+2028 and U+2029 (byte by byte),
// and bytes that are not part of a valid UTF-8 sequence. Printable
// UTF-8 (accented letters in a folder name) stays as it is. The
// bidirectional controls below are escaped byte by byte too.
std::string EscapeNonPrintable(std::string_view text);

// The wide text with every control character (C0, DEL, C1) written as
// "\xHH" and the Unicode line and paragraph separators as "\u2028" and
// "\u2029", and the bidirectional embeddings, overrides and isolates as
// "\u202E" and the like: nothing in it starts a new line, commands a
// terminal or turns the text that follows it around.
std::wstring PrintableText(std::wstring_view text);

// The characters PrintableText and EscapeNonPrintable write escaped.
constexpr bool IsControlCharacter(std::uint32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }
constexpr bool IsLineSeparator(std::uint32_t c) { return c == 0x2028 || c == 0x2029; }
// U+202A to U+202E (embeddings and overrides), U+2066 to U+2069 (isolates)
// and the marks U+061C, U+200E and U+200F: a name holding U+202E shows the
// rest of its line, the value after it included, reversed.
constexpr bool IsBidiControl(std::uint32_t c) {
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x061C || c == 0x200E || c == 0x200F;
}
// What the outputs escape as "\uXXXX".
constexpr bool IsInvisibleFormatting(std::uint32_t c) { return IsLineSeparator(c) || IsBidiControl(c); }

}  // namespace base
