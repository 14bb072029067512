#pragma once
// Text conversions at the edges of the program. Inside, text is std::wstring.
// Text from the machine arrives in the machine's code page and is decoded
// once; the report file is Windows-1252, encoded at its edge (the only place
// where a character becomes '?').

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace base {

// The code page of the text a machine hands over in single-byte buffers, by
// Windows's number for it: Windows-1252 on simulated machines (unless the
// machine file names another), UTF-8 on Linux, the ANSI code page on Windows.
enum class CodePage : std::uint32_t {
    kWindows1252 = 1252,
    kUtf8 = 65001,
};

// Text from the machine, in its code page, decoded once into the program's
// wide text. Every collector decodes the names it is handed with this (or
// TextFromBuffer below), so a name keeps its identity.
std::wstring DecodeText(CodePage page, std::string_view bytes);
// Text from a fixed buffer: cut before the first NUL, then decoded.
std::wstring TextFromBuffer(CodePage page, std::string_view bytes);
// Wide text into a code page: what a backend that keeps its texts wide (the
// simulated machine) hands over. Characters Windows-1252 cannot hold become
// '?' there; UTF-8 holds them all.
std::string EncodeText(CodePage page, std::wstring_view text);
// The longest start of `bytes` (text in `page`) of at most `limit` bytes
// that ends on a whole character: a name cut to a fixed field never ends in
// half a character.
std::string_view FitToField(CodePage page, std::string_view bytes, std::size_t limit);

// Characters Windows-1252 cannot hold become '?'; the narrow, thin and
// figure spaces become the no-break space.
std::string EncodeWindows1252(std::wstring_view text);
// The five bytes Windows-1252 leaves undefined (81 8D 8F 90 9D) map to the
// control characters of the same value, as Windows does.
std::wstring DecodeWindows1252(std::string_view bytes);

// UTF-16 little-endian code units (USB string descriptors, Windows records)
// as wide text; a lone surrogate becomes U+FFFD, an odd last byte is left out.
std::wstring DecodeUtf16Le(std::span<const std::uint8_t> bytes);
// Wide text as UTF-16 code units: a character past U+FFFF becomes a
// surrogate pair (on Windows it is one already); a lone surrogate U+FFFD.
std::u16string EncodeUtf16(std::wstring_view text);

// Malformed sequences become U+FFFD, one per bad byte.
std::wstring DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::wstring_view text);

}  // namespace base
