#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/codepage.h"
#include "platform/report_file.h"
#include "sim_fixture.h"

using namespace platform;

TEST(Codepage, Windows1252BothWays) {
    EXPECT_EQ(EncodeWindows1252(L"caf\u00E9 \u20AC \u2122 \u65E5"), "caf\xE9 \x80 \x99 ?");
    EXPECT_EQ(DecodeWindows1252("caf\xE9 \x80 \x99 \x81"), L"caf\u00E9 \u20AC \u2122 \u0081");
    EXPECT_EQ(TextFromBuffer(std::string_view("Intel\0junk", 10)), L"Intel");
    // Digit-grouping spaces of some locales (French: U+202F) stay spaces.
    EXPECT_EQ(EncodeWindows1252(L"24\u202F683\u2009784\u2007KB"), "24\xA0" "683\xA0" "784\xA0KB");
    EXPECT_EQ(TextFromBuffer("no terminator"), L"no terminator");
}

TEST(Codepage, Utf8MalformedBytesBecomeReplacementCharacters) {
    EXPECT_EQ(DecodeUtf8("\xC3\xA9t\xC3\xA9"), L"\u00E9t\u00E9");
    EXPECT_EQ(DecodeUtf8("a\xFF" "b"), L"a\uFFFDb");
    EXPECT_EQ(DecodeUtf8("\xE2\x82"), L"\uFFFD\uFFFD");      // cut short
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");      // overlong
    EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98\x80"), L"\U0001F600");
    EXPECT_EQ(EncodeUtf8(L"\u00E9\u20AC\U0001F600"), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
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
