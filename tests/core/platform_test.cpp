#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "base/codepage.h"
#include "base/printable_text.h"
#include "platform/report_file.h"
#include "sim_fixture.h"

using namespace platform;

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

TEST(ReportFile, ReplacesWholeKeepsPermissionsAndRefusesReadOnly) {
    const auto dir = std::filesystem::temp_directory_path() / ("veltrix-file-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "r.txt").string();
    std::ofstream(file) << "old content that is longer";
    ::chmod(file.c_str(), 0600);
    ASSERT_TRUE(WriteFileReplacing(file, "new").ok);
    EXPECT_EQ(testing_support::ReadFile(file), "new");
    struct stat st {};
    ::stat(file.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_FALSE(WriteFileReplacing(dir.string(), "x").ok);
    // Read-only is refused even for root, as a person marking it so expects.
    ::chmod(file.c_str(), 0400);
    const auto refused = WriteFileReplacing(file, "newer");
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.error.empty());
    EXPECT_EQ(testing_support::ReadFile(file), "new");
    // A symbolic link stays a link; the file it points to gets the report.
    const std::string target = (dir / "target.txt").string();
    const std::string link = (dir / "link.txt").string();
    std::ofstream(target) << "old";
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(WriteFileReplacing(link, "through the link").ok);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(testing_support::ReadFile(target), "through the link");
    std::filesystem::remove(link);
    std::filesystem::remove(target);
    // What is not a regular file is written into, never replaced.
    ASSERT_TRUE(WriteFileReplacing("/dev/null", "discarded").ok);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    std::filesystem::remove_all(dir);
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

TEST(ReportFile, NamesUpToTheFileSystemsLimitAreWrittenAndReplaced) {
    const auto dir = std::filesystem::temp_directory_path() / ("veltrix-long-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const long limit = ::pathconf(dir.c_str(), _PC_NAME_MAX);
    ASSERT_GT(limit, 16);
    // The temporary name adds seven bytes: the last lengths are those it would push over.
    for (long length = limit - 7; length <= limit; ++length) {
        const std::string file = (dir / std::string(static_cast<std::size_t>(length), 'r')).string();
        ASSERT_TRUE(WriteFileReplacing(file, "first").ok) << length;
        ::chmod(file.c_str(), 0640);
        struct stat before {}, after {};
        ::stat(file.c_str(), &before);
        const auto replaced = WriteFileReplacing(file, "second");
        ASSERT_TRUE(replaced.ok) << length << ": " << replaced.error;
        EXPECT_EQ(testing_support::ReadFile(file), "second");
        ::stat(file.c_str(), &after);
        EXPECT_NE(after.st_ino, before.st_ino) << "replaced by a new file, not rewritten in place";
        EXPECT_EQ(after.st_mode & 0777, 0640u);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 8) << "no temporary file is left";
    // One byte more cannot be a name at all, and says so.
    const auto tooLong = WriteFileReplacing((dir / std::string(static_cast<std::size_t>(limit + 1), 'r')).string(), "x");
    EXPECT_FALSE(tooLong.ok);
    EXPECT_EQ(tooLong.error, std::strerror(ENAMETOOLONG));
    std::filesystem::remove_all(dir);
}
