// Where a capture writes: a directory it makes itself, written without
// following any link inside it; a way to it through a link that another user
// planted in a shared sticky folder is refused, and so is a target that
// cannot be written, before the capture runs.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/linux/io/capture_target.h"
#include "platform/linux/io/capture_writer.h"
#include "support.h"

using platform::linux_backend::CaptureTarget;
using linux_tests::TempDir;
namespace fs = std::filesystem;

namespace {

constexpr uid_t kOtherUser = 4242;

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

TEST(CaptureTarget, MakesItsDirectoryAndWritesNothingThroughALinkInsideIt) {
    TempDir dir;
    const std::string capture = dir.Path() + "/new/capture";
    CaptureTarget target(capture);
    ASSERT_TRUE(target.IsOpen()) << target.Error();
    EXPECT_TRUE(fs::is_directory(capture + "/.veltrix")) << "made, and tried, before the capture";

    // Someone plants links inside the target while the capture runs.
    fs::create_directories(dir.Path() + "/elsewhere");
    fs::create_directory_symlink(dir.Path() + "/elsewhere", capture + "/proc");
    fs::create_symlink(dir.Path() + "/elsewhere/file", capture + "/.veltrix/about");
    EXPECT_NE(target.WriteFile("proc/meminfo", "x"), "");
    EXPECT_TRUE(EndsWith(target.WriteFile(".veltrix/about", "x"), "about: Too many levels of symbolic links"));
    EXPECT_TRUE(fs::is_empty(dir.Path() + "/elsewhere")) << "nothing written where the links lead";

    EXPECT_EQ(target.WriteFile("sys/class/net/eth0/address", "00:11\n"), "");
    EXPECT_EQ(linux_tests::ReadWholeFile(capture + "/sys/class/net/eth0/address"), "00:11\n");
    EXPECT_NE(target.WriteFile("sys/../../escape", "x"), "") << "no name climbs out";
    EXPECT_FALSE(fs::exists(dir.Path() + "/new/escape"));
}

TEST(CaptureTarget, ALinkAnotherUserPlantedInASharedStickyFolderIsNotFollowed) {
    TempDir dir;
    const std::string shared = dir.Path() + "/tmp";
    fs::create_directories(shared);
    ::chmod(shared.c_str(), 01777);
    fs::create_directories(dir.Path() + "/victim");
    // The other user's link to where a capture run by us would do harm.
    const std::string planted = shared + "/capture";
    fs::create_directory_symlink(dir.Path() + "/victim", planted);
    ASSERT_EQ(::lchown(planted.c_str(), kOtherUser, kOtherUser), 0);

    CaptureTarget refused(planted);
    EXPECT_FALSE(refused.IsOpen());
    EXPECT_NE(refused.Error().find("owns in the shared folder"), std::string::npos) << refused.Error();
    CaptureTarget below(planted + "/sub");
    EXPECT_FALSE(below.IsOpen()) << "nor on the way to a folder below it";
    EXPECT_TRUE(fs::is_empty(dir.Path() + "/victim"));

    // Our own link there, a link owned by the folder's owner, and another
    // user's link in a folder that is not shared are followed as before.
    ASSERT_EQ(::lchown(planted.c_str(), ::geteuid(), ::getegid()), 0);
    EXPECT_TRUE(CaptureTarget(planted + "/mine").IsOpen());
    const std::string plain = dir.Path() + "/plain";
    fs::create_directories(plain);
    fs::create_directory_symlink(dir.Path() + "/victim", plain + "/link");
    ASSERT_EQ(::lchown((plain + "/link").c_str(), kOtherUser, kOtherUser), 0);
    EXPECT_TRUE(CaptureTarget(plain + "/link/theirs").IsOpen());
}

TEST(CaptureTarget, AReadOnlyMountIsRefusedBeforeTheCapture) {
    TempDir dir;
    const std::string mountPoint = dir.Path() + "/ro";
    fs::create_directories(mountPoint);
    // Root writes through permission bits; a read-only mount stops even root.
    // It is made in a private mount namespace of a child, gone when it ends.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", mountPoint.c_str(), "tmpfs", MS_RDONLY, nullptr) != 0)
            ::_exit(77);
        CaptureTarget made(mountPoint + "/capture");
        CaptureTarget existing(mountPoint);
        const bool refused = !made.IsOpen() && EndsWith(made.Error(), "Read-only file system") &&
                             !existing.IsOpen() && EndsWith(existing.Error(), "Read-only file system");
        ::_exit(refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(fs::is_empty(mountPoint));
}

TEST(CaptureCommand, AReadOnlyTargetIsRefusedBeforeTheCaptureRuns) {
    TempDir dir;
    const std::string mountPoint = dir.Path() + "/ro";
    fs::create_directories(mountPoint);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", mountPoint.c_str(), "tmpfs", MS_RDONLY, nullptr) != 0)
            ::_exit(77);
        const auto run = linux_tests::RunProgram({VELTRIX_CAPTURE_PROGRAM, mountPoint + "/capture"});
        const bool refused = run.exitCode == 2 && run.err == "veltrix-capture: " + mountPoint +
                                                                  "/capture: cannot be made in " + mountPoint +
                                                                  ": Read-only file system\n";
        ::_exit(refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
