#pragma once
// The text form of one recorded reply (DIR/.veltrix/replies/<channel>/<request>.hex).
// Readable and editable by hand:
//   - "#" starts a comment that runs to the end of the line;
//   - a byte is two hexadecimal digits ("4f"); bytes are separated by blanks;
//   - a quoted text ("GenuineIntel") gives its bytes as they stand, with the
//     escapes \\ \" \0 \n \t and \xHH;
//   - blank lines are ignored; an empty file is an empty reply.
// Anything else makes the whole file invalid, and the error names the line.

#include <optional>
#include <string>
#include <string_view>

#include "base/bytes.h"

namespace platform::linux_backend {

using base::Bytes;

struct ReplyFileParse {
    std::optional<Bytes> bytes;  // set when the text is valid
    std::string error;           // "line 3: ..." otherwise
};

ReplyFileParse ParseReplyFile(std::string_view text);

// The text veltrix-capture writes: a heading comment naming the request, then
// sixteen bytes a line, each line followed by its printable characters.
std::string FormatReplyFile(std::string_view channel, std::string_view request, const Bytes& bytes);

}  // namespace platform::linux_backend
