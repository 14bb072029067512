#pragma once
// Text conversions at the edges of the program. Inside, text is std::wstring;
// the single-byte code page of device buffers and of the report file is
// Windows-1252, and what Linux hands over is UTF-8.

#include <string>
#include <string_view>

namespace base {

// Characters Windows-1252 cannot hold become '?'; the narrow, thin and
// figure spaces become the no-break space.
std::string EncodeWindows1252(std::wstring_view text);
// The five bytes Windows-1252 leaves undefined (81 8D 8F 90 9D) map to the
// control characters of the same value, as Windows does.
std::wstring DecodeWindows1252(std::string_view bytes);

// Malformed sequences become U+FFFD, one per bad byte.
std::wstring DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::wstring_view text);

// Text from a fixed single-byte buffer: decoded, cut before the first NUL.
std::wstring TextFromBuffer(std::string_view bytes);

}  // namespace base
