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
