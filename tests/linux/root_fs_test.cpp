// The one reader: paths stay inside the root, only regular files are read,
// and a capture log sees what was read; the capture writer puts it back.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include <filesystem>

#include "platform/linux/io/capture_writer.h"
#include "platform/linux/areas/linux_machine.h"
#include "platform/linux/io/replies.h"
#include "platform/linux/io/root_fs.h"
#include "support.h"

using namespace platform::linux_backend;

TEST(LinuxRootFs, PathsAreResolvedInsideTheRoot) {
    linux_tests::TempDir tree;
    tree.Write("etc/os-release", "PRETTY_NAME=\"Tree\"\n");
    tree.Write("devices/bat/type", "Battery\n");
    std::filesystem::create_directories(tree.Path() + "/sys/class/power_supply");
    // An absolute link, as a hand-made tree may hold, and one that climbs out.
    std::filesystem::create_directory_symlink("/devices/bat", tree.Path() + "/sys/class/power_supply/BAT0");
    std::filesystem::create_symlink("../../../../../../../../etc/os-release", tree.Path() + "/sys/escape");

    RootFs fs(tree.Path());
    ASSERT_TRUE(fs.IsOpen());
    EXPECT_FALSE(fs.IsThisSystem());
    EXPECT_EQ(fs.ReadFile("/sys/class/power_supply/BAT0/type"), "Battery\n") << "absolute links stay in the tree";
    EXPECT_EQ(fs.ReadFile("/sys/escape"), "PRETTY_NAME=\"Tree\"\n") << "climbing stops at the tree's root";
    EXPECT_FALSE(fs.ReadFile("/sys/../etc/os-release")) << "paths with .. are refused";
    EXPECT_FALSE(fs.ReadFile("etc/os-release")) << "paths are absolute";
    EXPECT_FALSE(fs.ReadFile("/etc")) << "a directory is not a file";
    EXPECT_FALSE(fs.ReadFile("/etc/os-release", 5)) << "larger than the limit";

    const auto entries = fs.ListDirectory("/sys/class/power_supply");
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 1u);
    EXPECT_EQ((*entries)[0], (DirectoryEntry{"BAT0", true})) << "a link to a directory lists as a directory";
    EXPECT_FALSE(fs.ListDirectory("/nowhere"));

    EXPECT_TRUE(RootFs("/").IsThisSystem());
    EXPECT_TRUE(RootFs(tree.Path() + "/../../../../../../../..").IsThisSystem());
    EXPECT_FALSE(RootFs(tree.Path() + "/missing").IsOpen());
}

TEST(LinuxRootFs, NeverOpensWhatCouldBlock) {
    linux_tests::TempDir tree;
    const std::string fifo = tree.Path() + "/proc/fifo";
    std::filesystem::create_directories(tree.Path() + "/proc");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    RootFs fs(tree.Path());
    EXPECT_FALSE(fs.ReadFile("/proc/fifo")) << "a pipe without a writer would block a reader";
    EXPECT_FALSE(RootFs("/").ReadFile("/dev/null")) << "device nodes are not read";
}

namespace {

// Runs `check` as an ordinary user: in a child process that gives up root
// when the tests run as root. The child's exit status is the check's answer.
bool AsOrdinaryUser(const std::function<bool()>& check) {
    if (::geteuid() != 0) return check();
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        const bool dropped = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

TEST(LinuxRootFs, ARootThatCannotBeListedIsRefused) {
    linux_tests::TempDir base;
    ::chmod(base.Path().c_str(), 0755);
    base.Write("open/etc/os-release", "PRETTY_NAME=\"Tree\"\n");
    base.Write("closed/etc/os-release", "PRETTY_NAME=\"Tree\"\n");
    ::chmod((base.Path() + "/open").c_str(), 0755);
    ::chmod((base.Path() + "/closed").c_str(), 0000);
    // Without the check the closed tree opened and gave a report of fallbacks.
    EXPECT_TRUE(AsOrdinaryUser([&] { return RootFs(base.Path() + "/open").IsOpen(); }));
    EXPECT_TRUE(AsOrdinaryUser([&] {
        std::string error;
        return !OpenLinuxMachine(base.Path() + "/closed", error) &&
               error == base.Path() + "/closed: not a directory that can be read";
    }));
    ::chmod((base.Path() + "/closed").c_str(), 0755);
}

TEST(LinuxCaptureWriter, WritesWhatWasReadAndReadsBackTheSame) {
    linux_tests::TempDir source;
    source.Write("proc/meminfo", "MemTotal: 1 kB\n");
    source.Write("sys/class/power_supply/AC/type", "Mains\n");
    source.Write("sys/class/power_supply/AC/uevent", "not read\n");
    std::filesystem::create_directories(source.Path() + "/sys/class/power_supply/empty");

    CaptureLog log;
    RootFs fs(source.Path(), &log);
    ASSERT_TRUE(fs.ReadFile("/proc/meminfo"));
    ASSERT_TRUE(fs.ListDirectory("/sys/class/power_supply"));
    ASSERT_TRUE(fs.ReadFile("/sys/class/power_supply/AC/type"));
    EXPECT_FALSE(fs.ReadFile("/proc/missing"));
    EXPECT_EQ(log.Files().size(), 2u) << "only files that were read";
    log.NoteReply("cpuid", "00000000", BytesOfText(std::string("\x0d\0\0\0GenuntelineI", 16)));

    linux_tests::TempDir target;
    const std::string capture = target.Path() + "/capture";
    ASSERT_EQ(WriteCapture(log, capture, "about\n"), "");
    RootFs back(capture);
    EXPECT_EQ(back.ReadFile("/proc/meminfo"), "MemTotal: 1 kB\n");
    EXPECT_EQ(back.ReadFile("/sys/class/power_supply/AC/type"), "Mains\n");
    EXPECT_FALSE(back.ReadFile("/sys/class/power_supply/AC/uevent")) << "what was not read is not copied";
    EXPECT_TRUE(back.IsDirectory("/sys/class/power_supply/empty")) << "listed directories are kept";
    EXPECT_EQ(back.ReadFile("/.veltrix/about"), "about\n");
    RecordedReplies replies(back);
    EXPECT_EQ(replies.Error(), "");
    EXPECT_EQ(replies.Ask("cpuid", "00000000", nullptr), log.Replies().begin()->second);

    EXPECT_NE(WriteCapture(log, capture, ""), "") << "a capture never writes over another";
    EXPECT_EQ(CheckCaptureDirectory(target.Path() + "/new"), "");
    EXPECT_EQ(CheckCaptureDirectory(capture), capture + ": is not empty");
    EXPECT_EQ(CheckCaptureDirectory(capture + "/.veltrix/about"),
              capture + "/.veltrix/about: exists and is not a directory");
}
