#include "base/printable_text.h"

#include <cstdint>

namespace base {

namespace {

void AppendEscaped(std::string& out, std::uint8_t byte) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

// The length of the valid UTF-8 sequence of a printable character starting
// at text[at], or 0 when the bytes there are no such sequence.
std::size_t PrintableSequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(at);
    if (!IsControlCharacter(lead) && lead < 0x80) return 1;
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;  // ASCII controls, DEL, stray continuation bytes, C0, C1, F5 to FF
    }
    if (text.size() - at < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(at + i) & 0x3Fu);
    }
    constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    if (IsControlCharacter(code) || IsInvisibleFormatting(code)) return 0;  // C1, separators, bidi controls
    return length;
}

}  // namespace

std::string EscapeNonPrintable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        if (const std::size_t length = PrintableSequenceLength(text, at); length > 0) {
            out.append(text.substr(at, length));
            at += length;
        } else {
            AppendEscaped(out, static_cast<std::uint8_t>(text[at]));
            ++at;
        }
    }
    return out;
}

std::wstring PrintableText(std::wstring_view text) {
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring out;
    out.reserve(text.size());
    for (const wchar_t ch : text) {
        const auto c = static_cast<std::uint32_t>(ch);
        if (IsControlCharacter(c)) {
            out += L"\\x";
            out += kDigits[c >> 4];
            out += kDigits[c & 0x0F];
        } else if (IsInvisibleFormatting(c)) {
            out += L"\\u";
            for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(c >> shift) & 0x0F];
        } else {
            out += ch;
        }
    }
    return out;
}

}  // namespace base
