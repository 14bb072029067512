#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/report_file.h"
#include "sim_fixture.h"

// Saving over a report in a folder that takes no new file: no temporary file
// can be made beside it, so the file is rewritten where it is, and a write
// that fails must leave the old report as it was. The folder belongs to
// root on a small file system mounted for the test; the report is written by
// a process that has dropped to an ordinary user, who may write the file but
// not the folder (root would be let into the folder whatever its mode).

namespace {

namespace fs = std::filesystem;

constexpr uid_t kOrdinaryUser = 65534;   // nobody
constexpr gid_t kOrdinaryGroup = 65534;  // nogroup

struct ChildResult {
    bool ok = false;
    std::string error;
};

// WriteFileReplacing as the ordinary user, with the file size limited to
// `sizeLimit` bytes when it is not zero.
ChildResult WriteAsOrdinaryUser(const std::string& path, const std::string& bytes, rlim_t sizeLimit = 0) {
    int channel[2];
    if (::pipe(channel) != 0) return {false, "pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (::setgroups(0, nullptr) != 0 || ::setresgid(kOrdinaryGroup, kOrdinaryGroup, kOrdinaryGroup) != 0 ||
            ::setresuid(kOrdinaryUser, kOrdinaryUser, kOrdinaryUser) != 0)
            ::_exit(3);
        if (sizeLimit != 0) {
            std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
            const rlimit limit{sizeLimit, sizeLimit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
        }
        const auto result = platform::WriteFileReplacing(path, bytes);
        (void)!::write(channel[1], result.error.data(), result.error.size());
        ::_exit(result.ok ? 0 : 1);
    }
    ::close(channel[1]);
    std::string error;
    char buffer[512];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) error.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) return {false, "the child could not drop to an ordinary user"};
    return {WEXITSTATUS(status) == 0, error};
}

std::string Lines(const std::string& line, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += line + std::to_string(i) + "\r\n";
    return text;
}

class ReportInLockedFolder : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "needs root to mount a file system and to drop to another user";
        std::string pattern = (fs::temp_directory_path() / "veltrix-locked-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        const std::string options = std::string(fileSystem_) == "tmpfs" ? "size=256k,mode=0755" : "mode=0755";
        if (::mount(fileSystem_, folder_.c_str(), fileSystem_, 0, options.c_str()) != 0) {
            fs::remove(folder_);
            GTEST_SKIP() << "cannot mount a " << fileSystem_ << " here: " << std::strerror(errno);
        }
        mounted_ = true;
        report_ = folder_ + "/report.txt";
        std::ofstream(report_, std::ios::binary) << kOld;
        ASSERT_EQ(::chown(report_.c_str(), kOrdinaryUser, kOrdinaryGroup), 0);
        ::chmod(report_.c_str(), 0644);
    }
    void TearDown() override {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
        if (!folder_.empty()) fs::remove(folder_);
    }

    // Leaves `free` bytes of the file system unused, taken by a file of root's.
    void FillUpTo(std::uintmax_t free) {
        struct statvfs space {};
        ASSERT_EQ(::statvfs(folder_.c_str(), &space), 0);
        const std::uintmax_t available = std::uintmax_t{space.f_bavail} * space.f_frsize;
        ASSERT_GT(available, free);
        std::ofstream(folder_ + "/filler", std::ios::binary) << std::string(available - free, 'f');
    }

    const std::string kOld = Lines("Naam: oud ", 800);  // about 12 KB
    const char* fileSystem_ = "tmpfs";
    std::string folder_;
    std::string report_;
    bool mounted_ = false;
};

// ramfs cannot reserve blocks ahead, so nothing refuses before the writing
// starts: what a write that fails part way leaves is the writer's own doing.
class ReportInLockedFolderWithoutReservation : public ReportInLockedFolder {
protected:
    ReportInLockedFolderWithoutReservation() { fileSystem_ = "ramfs"; }
};

}  // namespace

TEST_F(ReportInLockedFolder, ARewriteThatFitsIsWholeAndCutToItsLength) {
    struct stat before {}, after {};
    ::stat(report_.c_str(), &before);
    const std::string shorter = Lines("Naam: nieuw ", 10);
    const auto written = WriteAsOrdinaryUser(report_, shorter);
    ASSERT_TRUE(written.ok) << written.error;
    EXPECT_EQ(testing_support::ReadFile(report_), shorter);
    ::stat(report_.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino) << "rewritten in place: the folder takes no new file";
    EXPECT_EQ(after.st_uid, kOrdinaryUser);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 1) << "nothing else was made in the folder";
}

TEST_F(ReportInLockedFolder, AFullFileSystemLeavesTheOldReportWhole) {
    FillUpTo(32 * 1024);
    const std::string longer = Lines("Naam: nieuw en veel langer dan het oude ", 4000);  // about 200 KB
    const auto written = WriteAsOrdinaryUser(report_, longer);
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.error, std::string(std::strerror(ENOSPC)) + "; the file is unchanged");
    EXPECT_TRUE(testing_support::ReadFile(report_) == kOld) << "the old report, whole";
    // The space the refused report asked for is free again.
    fs::remove(folder_ + "/filler");
    const std::string fits = Lines("Naam: nieuw ", 100);
    ASSERT_TRUE(WriteAsOrdinaryUser(report_, fits).ok);
    EXPECT_EQ(testing_support::ReadFile(report_), fits);
}

TEST_F(ReportInLockedFolderWithoutReservation, AWriteThatFailsPartWayPutsTheOldBytesBack) {
    // The writer may not make a file larger than 20 KB: the first 20 KB of
    // the new report are written over the old one before the write fails.
    const std::string longer = Lines("Naam: nieuw en veel langer dan het oude ", 2000);  // about 100 KB
    const auto written = WriteAsOrdinaryUser(report_, longer, 20 * 1024);
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.error, std::string(std::strerror(EFBIG)) + "; the file is unchanged");
    EXPECT_TRUE(testing_support::ReadFile(report_) == kOld) << "the old report, whole";
}

TEST_F(ReportInLockedFolder, ANewFileInTheFolderIsRefused) {
    const auto written = WriteAsOrdinaryUser(folder_ + "/new.txt", "Processor\r\n");
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.error, std::strerror(EACCES));
    EXPECT_FALSE(fs::exists(folder_ + "/new.txt"));
}
