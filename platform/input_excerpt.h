#pragma once
// What an error line quotes of its input: a malformed token or key can be
// megabytes long, and one line on a terminal should stay one line a person
// reads. Longer texts keep their start, cut before a UTF-8 character that
// would not fit, and say how long they were.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

inline constexpr std::size_t kExcerptLimit = 200;

inline std::string InputExcerpt(std::string_view text, std::size_t limit = kExcerptLimit) {
    if (text.size() <= limit) return std::string(text);
    std::size_t cut = limit;
    // Continuation bytes (10xxxxxx) belong to the character before them.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return std::string(text.substr(0, cut)) + "... (" + std::to_string(text.size()) + " bytes)";
}

}  // namespace platform
