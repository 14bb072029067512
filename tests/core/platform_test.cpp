#include <gtest/gtest.h>

#include "base/codepage.h"
#include "base/printable_text.h"

TEST(Codepage, Windows1252BothWays) {
    EXPECT_EQ(base::EncodeWindows1252(L"caf\u00E9 \u20AC \u2122 \u65E5"), "caf\xE9 \x80 \x99 ?");
    EXPECT_EQ(base::DecodeWindows1252("caf\xE9 \x80 \x99 \x81"), L"caf\u00E9 \u20AC \u2122 \u0081");
    EXPECT_EQ(base::TextFromBuffer(base::CodePage::kWindows1252, std::string_view("Intel\0junk", 10)), L"Intel");
    // Digit-grouping spaces of some locales (French: U+202F) stay spaces.
    EXPECT_EQ(base::EncodeWindows1252(L"24\u202F683\u2009784\u2007KB"), "24\xA0" "683\xA0" "784\xA0KB");
    EXPECT_EQ(base::TextFromBuffer(base::CodePage::kWindows1252, "no terminator"), L"no terminator");
}

TEST(Codepage, Utf8MalformedBytesBecomeReplacementCharacters) {
    EXPECT_EQ(base::DecodeUtf8("\xC3\xA9t\xC3\xA9"), L"\u00E9t\u00E9");
    EXPECT_EQ(base::DecodeUtf8("a\xFF" "b"), L"a\uFFFDb");
    EXPECT_EQ(base::DecodeUtf8("\xE2\x82"), L"\uFFFD\uFFFD");      // cut short
    EXPECT_EQ(base::DecodeUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");      // overlong
    EXPECT_EQ(base::DecodeUtf8("\xF0\x9F\x98\x80"), L"\U0001F600");
    EXPECT_EQ(base::EncodeUtf8(L"\u00E9\u20AC\U0001F600"), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
}

// Characters past U+FFFF are one wchar_t on Linux and a surrogate pair on
// Windows; either way each is one character on both edges, and a surrogate
// without its partner is U+FFFD, never half a character.
// A name cut to a fixed field ends on a whole character in every code page
// a machine may hand text in: one byte, UTF-8 of two to four bytes, and the
// double-byte pages, where a trail byte may look like a lead byte.
TEST(Codepage, FitToFieldNeverCutsACharacter) {
    const auto cp = [](std::uint32_t n) { return static_cast<base::CodePage>(n); };
    struct Case {
        base::CodePage page;
        std::string_view bytes;
        std::size_t limit;
        std::string_view fitted;
    };
    const Case cases[] = {
        {base::CodePage::kWindows1252, "Realtek", 4, "Real"},
        {base::CodePage::kWindows1252, "Realtek", 7, "Realtek"},
        {base::CodePage::kWindows1252, "Realtek", 0, ""},
        {base::CodePage::kUtf8, "a\xC3\xA9", 2, "a"},                // é cut after its lead byte
        {base::CodePage::kUtf8, "a\xC3\xA9", 3, "a\xC3\xA9"},
        {base::CodePage::kUtf8, "a\xE2\x82\xAC", 3, "a"},           // € cut inside
        {base::CodePage::kUtf8, "a\xF0\x9F\x98\x80", 4, "a"},       // a character past U+FFFF
        {base::CodePage::kUtf8, "a\xF0\x9F\x98\x80", 5, "a\xF0\x9F\x98\x80"},
        {cp(932), "A\x83\x65", 2, "A"},                          // a lead byte without its trail
        {cp(932), "\x83\x81\x41", 2, "\x83\x81"},               // trail 81 is not a lead here
        {cp(932), "\x83\x81\x81\x41", 3, "\x83\x81"},
        {cp(932), "\xA0\xA0", 1, "\xA0"},                         // half-width katakana: one byte
        {cp(936), "\xD6\xD0\xCE\xC4", 3, "\xD6\xD0"},
        {cp(949), "\xC7\xD1", 1, ""},
        {cp(950), "\xA4\xA4\x41", 3, "\xA4\xA4\x41"},
        {cp(1251), "\xD4\xEE\xF2\xEE", 2, "\xD4\xEE"},           // a one-byte page: any byte boundary
    };
    for (const Case& c : cases)
        EXPECT_EQ(base::FitToField(c.page, c.bytes, c.limit), c.fitted)
            << static_cast<std::uint32_t>(c.page) << " limit " << c.limit;
}

TEST(Codepage, CharactersPastTheBasicPlaneAndLoneSurrogates) {
    const std::pair<std::wstring, std::string> wholes[] = {
        {L"\U00010000", "\xF0\x90\x80\x80"},  // the first past U+FFFF
        {L"\U0001F600", "\xF0\x9F\x98\x80"},
        {L"\U0010FFFF", "\xF4\x8F\xBF\xBF"},  // the last code point
        {L"\uFFFF", "\xEF\xBF\xBF"},           // the last of the basic plane
    };
    for (const auto& [wide, utf8] : wholes) {
        EXPECT_EQ(base::EncodeUtf8(wide), utf8);
        EXPECT_EQ(base::DecodeUtf8(utf8), wide);
        EXPECT_EQ(base::EncodeWindows1252(wide), "?") << "one character, one question mark";
    }
    const std::string replacement = "\xEF\xBF\xBD";
    for (const wchar_t lone : {wchar_t(0xD800), wchar_t(0xDBFF), wchar_t(0xDC00), wchar_t(0xDFFF)}) {
        EXPECT_EQ(base::EncodeUtf8(std::wstring{L'a', lone, L'b'}), "a" + replacement + "b");
        EXPECT_EQ(base::EncodeUtf8(std::wstring{lone}), replacement) << "at the very end";
    }
    // A low surrogate before a high one is no pair: two characters.
    EXPECT_EQ(base::EncodeUtf8(std::wstring{wchar_t(0xDC00), wchar_t(0xD800)}), replacement + replacement);
}

TEST(PrintableText, ControlsAndBrokenUtf8AreEscapedPrintableTextIsNot) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"plain /tmp/r.txt", "plain /tmp/r.txt"},
        {std::string_view("\0\x01\t\n\x1B\x1F", 6), "\\x00\\x01\\x09\\x0A\\x1B\\x1F"},  // C0 controls
        {" ~\x7F", " ~\\x7F"},                                  // the printable ends and DEL
        {"\xC2\x80|\xC2\x9B|\xC2\x9F", "\\xC2\\x80|\\xC2\\x9B|\\xC2\\x9F"},  // C1 controls, CSI among them
        {"\xC2\xA0" "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "\xC2\xA0" "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},                  // the last code point
        {"a\x80z", "a\\x80z"},                                   // a stray continuation byte
        {"\xC3", "\\xC3"},                                       // cut short at the end
        {"\xE2\x82z", "\\xE2\\x82z"},                            // cut short before a letter
        {"\xC0\xAF", "\\xC0\\xAF"},                              // overlong "/"
        {"\xE0\x80\xAF", "\\xE0\\x80\\xAF"},                     // overlong "/" in three bytes
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},                     // a surrogate
        {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},            // past U+10FFFF
        {"\xF5\xFF", "\\xF5\\xFF"},                              // never in UTF-8
        {"a\xE2\x80\xAEz", "a\\xE2\\x80\\xAEz"},                     // U+202E turns what follows around
        {"\xE2\x81\xA6\xE2\x81\xA9", "\\xE2\\x81\\xA6\\xE2\\x81\\xA9"},  // isolates U+2066 and U+2069
        {"\xE2\x80\xA9\xE2\x80\xAF", "\\xE2\\x80\\xA9\xE2\x80\xAF"},   // U+2029 escaped, U+202F kept
    };
    for (const auto& [raw, shown] : cases) EXPECT_EQ(base::EscapeNonPrintable(raw), shown) << raw;
}
