#include "base/codepage.h"

#include <array>
#include <cstdint>

#include "base/system_codepages.h"

namespace base {

namespace {

// Where wchar_t has 16 bits (Windows), characters past U+FFFF travel as a
// surrogate pair, as the system's own wide text does.
constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

bool IsHighSurrogate(std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
std::uint32_t CodePointOfPair(std::uint32_t high, std::uint32_t low) {
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// A character past U+FFFF as the pair of 16-bit units that carries it.
template <typename Unit>
void AppendSurrogatePair(std::basic_string<Unit>& out, std::uint32_t cp) {
    cp -= 0x10000;
    out.push_back(static_cast<Unit>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<Unit>(0xDC00 + (cp & 0x3FF)));
}

void AppendCodePoint(std::wstring& out, std::uint32_t cp) {
    if (kWideIsUtf16 && cp >= 0x10000) AppendSurrogatePair(out, cp);
    else out.push_back(static_cast<wchar_t>(cp));
}

// The code point at text[at] and how many wchar_t it takes: a valid surrogate
// pair is one character; a lone surrogate is U+FFFD.
std::uint32_t CodePointAt(std::wstring_view text, std::size_t at, std::size_t& length) {
    const auto c = static_cast<std::uint32_t>(text[at]);
    length = 1;
    if (IsHighSurrogate(c) && kWideIsUtf16 && at + 1 < text.size()) {
        const auto low = static_cast<std::uint32_t>(text[at + 1]);
        if (IsLowSurrogate(low)) {
            length = 2;
            return CodePointOfPair(c, low);
        }
    }
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0xFFFD;
    return c;
}

// Bytes 80-9F of Windows-1252; 0 marks the five undefined positions.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::string EncodeWindows1252(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0, length = 1; at < text.size(); at += length) {
        const std::uint32_t c = CodePointAt(text, at, length);
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        // The narrow, thin and figure spaces that some locales group digits
        // with are no-break spaces in Windows-1252.
        if (c == 0x202F || c == 0x2009 || c == 0x2007) {
            out.push_back('\xA0');
            continue;
        }
        char mapped = '?';
        for (std::size_t i = 0; i < kHighControls.size(); ++i) {
            const std::uint32_t table = kHighControls[i] ? kHighControls[i] : 0x80 + i;
            if (table == c) {
                mapped = static_cast<char>(0x80 + i);
                break;
            }
        }
        out.push_back(mapped);
    }
    return out;
}

std::wstring DecodeWindows1252(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        if (c >= 0x80 && c < 0xA0 && kHighControls[c - 0x80] != 0)
            out.push_back(static_cast<wchar_t>(kHighControls[c - 0x80]));
        else
            out.push_back(static_cast<wchar_t>(c));
    }
    return out;
}

std::wstring DecodeUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        int extra = 0;
        std::uint32_t cp = 0;
        std::uint32_t min = 0;
        if (b0 < 0x80) {
            out.push_back(static_cast<wchar_t>(b0));
            ++i;
            continue;
        } else if ((b0 & 0xE0) == 0xC0) {
            extra = 1, cp = b0 & 0x1F, min = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            extra = 2, cp = b0 & 0x0F, min = 0x800;
        } else if ((b0 & 0xF8) == 0xF0) {
            extra = 3, cp = b0 & 0x07, min = 0x10000;
        } else {
            out.push_back(L'\uFFFD');
            ++i;
            continue;
        }
        bool ok = i + static_cast<std::size_t>(extra) < bytes.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto bk = static_cast<unsigned char>(bytes[i + k]);
            if ((bk & 0xC0) != 0x80) ok = false;
            else cp = (cp << 6) | (bk & 0x3F);
        }
        if (!ok || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(L'\uFFFD');
            ++i;
            continue;
        }
        AppendCodePoint(out, cp);
        i += 1 + extra;
    }
    return out;
}

std::string EncodeUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0, length = 1; at < text.size(); at += length) {
        const std::uint32_t c = CodePointAt(text, at, length);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::wstring DecodeUtf16Le(std::span<const std::uint8_t> bytes) {
    std::wstring out;
    out.reserve(bytes.size() / 2);
    const auto unitAt = [&](std::size_t i) { return static_cast<std::uint32_t>(bytes[i] | (bytes[i + 1] << 8)); };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const std::uint32_t unit = unitAt(i);
        if (IsHighSurrogate(unit) && i + 3 < bytes.size()) {
            const std::uint32_t low = unitAt(i + 2);
            if (IsLowSurrogate(low)) {
                AppendCodePoint(out, CodePointOfPair(unit, low));
                i += 2;
                continue;
            }
        }
        out.push_back(unit >= 0xD800 && unit <= 0xDFFF ? L'\uFFFD' : static_cast<wchar_t>(unit));
    }
    return out;
}

std::u16string EncodeUtf16(std::wstring_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0, length = 1; at < text.size(); at += length) {
        const std::uint32_t c = CodePointAt(text, at, length);
        if (c >= 0x10000) AppendSurrogatePair(out, c);
        else out.push_back(static_cast<char16_t>(c));
    }
    return out;
}

std::wstring DecodeText(CodePage page, std::string_view bytes) {
    if (page == CodePage::kUtf8) return DecodeUtf8(bytes);
    if (page != CodePage::kWindows1252)
        if (auto text = DecodeWithSystem(page, bytes)) return *text;
    return DecodeWindows1252(bytes);
}

std::wstring TextFromBuffer(CodePage page, std::string_view bytes) {
    return DecodeText(page, bytes.substr(0, bytes.find('\0')));
}

std::string EncodeText(CodePage page, std::wstring_view text) {
    if (page == CodePage::kUtf8) return EncodeUtf8(text);
    if (page != CodePage::kWindows1252)
        if (auto bytes = EncodeWithSystem(page, text)) return *bytes;
    return EncodeWindows1252(text);
}

namespace {

// The lead bytes of the double-byte code pages Windows uses as ANSI code
// pages (Japanese, Simplified Chinese, Korean, Traditional Chinese): a lead
// byte and the byte after it are one character.
bool IsDoubleByteLead(CodePage page, unsigned char byte) {
    switch (static_cast<std::uint32_t>(page)) {
        case 932: return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        case 936:
        case 949:
        case 950: return byte >= 0x81 && byte <= 0xFE;
        default: return false;
    }
}

bool IsDoubleByteCodePage(CodePage page) { return IsDoubleByteLead(page, 0x81); }

}  // namespace

std::string_view FitToField(CodePage page, std::string_view bytes, std::size_t limit) {
    if (bytes.size() <= limit) return bytes;
    std::size_t end = limit;
    if (page == CodePage::kUtf8) {
        // Step back over the continuation bytes of a character the limit
        // would cut, to its lead byte, and leave the whole character out.
        const auto continuation = [&](std::size_t i) { return (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80; };
        std::size_t lead = end;
        while (lead > 0 && end - lead < 3 && continuation(lead)) --lead;
        if (continuation(end)) end = lead;
    } else if (IsDoubleByteCodePage(page)) {
        // A trail byte may look like a lead byte, so the characters are
        // counted from the start.
        std::size_t at = 0;
        while (at < limit) {
            const std::size_t length = IsDoubleByteLead(page, static_cast<unsigned char>(bytes[at])) ? 2 : 1;
            if (at + length > limit) break;
            at += length;
        }
        end = at;
    }
    return bytes.substr(0, end);
}

}  // namespace base
