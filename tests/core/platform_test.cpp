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
    };
    for (const auto& [raw, shown] : cases) EXPECT_EQ(base::EscapeNonPrintable(raw), shown) << raw;
}
