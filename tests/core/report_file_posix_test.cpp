#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/report_file.h"
#include "sim_fixture.h"

// Replacing a report file the POSIX way: modes, symbolic links, inodes and
// the file system's name limit.

using namespace platform;

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
