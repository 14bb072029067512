#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/report_file.h"
#include "sim_fixture.h"
#include "temp_dir.h"

// Last: its macros would rename the machine's operations declared above.
#include <windows.h>

// Replacing a report file the Windows way: a new file moved over the old one,
// the read-only attribute honoured, devices written into.

using namespace platform;
using testing_support::ReadFile;

TEST(ReportFile, ReplacesWholeRefusesReadOnlyAndLeavesNoTemporaryFile) {
    testing_support::TempDir dir;
    const std::string file = dir.File("r.txt");
    std::ofstream(file) << "old content that is longer";
    ASSERT_TRUE(WriteFileReplacing(file, "new").ok);
    EXPECT_EQ(ReadFile(file), "new");

    const auto folder = WriteFileReplacing(dir.Path().string(), "x");
    EXPECT_FALSE(folder.ok);
    EXPECT_EQ(folder.error, "Is a directory");

    ASSERT_TRUE(::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    const auto refused = WriteFileReplacing(file, "newer");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, "Permission denied");
    EXPECT_EQ(ReadFile(file), "new");
    ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);

    const auto missing = WriteFileReplacing(dir.File("no-such-folder\\r.txt"), "x");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "No such file or directory");

    // The null device is written into, never replaced.
    EXPECT_TRUE(WriteFileReplacing("NUL", "discarded").ok);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}
