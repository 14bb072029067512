// veltrix-capture: its command line, the round trip (capture this machine,
// report the capture, compare with the live report) and, with a virtual X
// server, the recorded X replies.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "base/bytes.h"
#include "platform/linux/areas/linux_machine.h"
#include "platform/linux/io/reply_file.h"
#include "support.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using linux_tests::RunProgram;

// Lines whose values change from one moment to the next.
bool Changing(const std::string& line) {
    for (const char* caption : {"Beschikbaar Fysiek:", "Beschikbaar Virtueel:", "Belasting:", "Vrije Ruimte:"})
        if (line.rfind(caption, 0) == 0) return true;
    return false;
}

double Megahertz(const std::string& line) { return std::stod(line.substr(line.find(':') + 1)); }

// The time-stamp counter's rate the capture recorded, in MHz.
double RecordedMegahertz(const std::string& capture) {
    const auto parsed = platform::linux_backend::ParseReplyFile(
        linux_tests::ReadWholeFile(capture + "/.veltrix/replies/tsc/rate.hex"));
    const auto rate = parsed.bytes ? base::ReadLe64(*parsed.bytes, 0) : std::nullopt;
    return rate ? static_cast<double>(*rate) / 1e6 : -1;
}

// Live and captured reports agree but for the changing lines and the
// processor speed. The live report measures the clock again over a real half
// second, and two measurements on a machine busy with the rest of the suite
// (another test, an X server starting) differ by whatever time the scheduler
// took between reading the counter and the clock: no fixed tolerance holds.
// The captured report's speed is exactly the rate the capture recorded.
void ExpectSameReport(const std::string& live, const std::string& captured, const std::string& capture) {
    const auto a = linux_tests::ReportLines(live), b = linux_tests::ReportLines(captured);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Changing(a[i]) && Changing(b[i])) continue;
        if (a[i].rfind("Snelheid:", 0) == 0 && b[i].rfind("Snelheid:", 0) == 0) {
            EXPECT_NEAR(Megahertz(b[i]), RecordedMegahertz(capture), 0.01) << b[i];
            continue;
        }
        EXPECT_EQ(b[i], a[i]) << "line " << i + 1;
    }
}

// A virtual X server for the length of a test. Xvfb chooses a free display
// itself and names it on a pipe once it accepts clients (-displayfd): a
// number chosen here by looking for a free socket could be taken by another
// suite's server at the same moment, and the test would talk to that server
// until it went away.
class VirtualXServer {
public:
    static constexpr const char* kProgram = "/usr/bin/Xvfb";

    VirtualXServer() {
        if (::access(kProgram, X_OK) != 0) return;
        int ready[2];
        if (::pipe2(ready, O_CLOEXEC) != 0) return;
        constexpr int kDisplayFd = 3;
        // -noreset: an X server resets when its last client leaves and sets
        // its keyboard's rules and controls again only later, so a client
        // that follows the one before too closely (the live report after the
        // capture) would find none.
        std::vector<std::string> args = {kProgram, "-displayfd", std::to_string(kDisplayFd), "-noreset", "-nolisten",
                                         "tcp", "-screen", "0", "640x480x24"};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ready[1], kDisplayFd);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, kProgram, &actions, nullptr, argv.data(), environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        ::close(ready[1]);
        // The number and a line feed, or end of file when the server gave up.
        std::string number;
        pollfd wait{ready[0], POLLIN, 0};
        while (pid_ > 0 && ::poll(&wait, 1, 10000) == 1) {
            char c = 0;
            if (::read(ready[0], &c, 1) != 1 || c == '\n') break;
            number.push_back(c);
        }
        ::close(ready[0]);
        if (!number.empty()) display_ = ":" + number;
    }
    ~VirtualXServer() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = 0;
    std::string display_;
};

}  // namespace

TEST(CaptureCommand, RefusesBadArgumentsAndUsedDirectories) {
    linux_tests::TempDir dir;
    dir.Write("used/file", "x");
    fs::create_symlink(dir.Path() + "/nowhere", dir.Path() + "/dangling");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{}, "veltrix-capture: expected one directory to capture into (see veltrix-capture --help)\n"},
        {{dir.Path() + "/a", dir.Path() + "/b"},
         "veltrix-capture: expected one directory to capture into (see veltrix-capture --help)\n"},
        {{"--root"}, "veltrix-capture: option --root needs a value (see veltrix-capture --help)\n"},
        {{"--root", dir.Path(), dir.Path() + "/a"}, "veltrix-capture: --root is for --machine-file (see veltrix-capture --help)\n"},
        {{"--machine-file", dir.Path() + "/m.json", dir.Path() + "/a"},
         "veltrix-capture: unexpected argument \"" + dir.Path() + "/a\" (see veltrix-capture --help)\n"},
        {{"--bogus"}, "veltrix-capture: unknown option \"--bogus\" (see veltrix-capture --help)\n"},
        {{dir.Path() + "/used"}, "is not empty\n"},
        {{dir.Path() + "/used/file"}, "exists and is not a directory\n"},
        // Found before the capture, not after it.
        {{dir.Path() + "/dangling"}, "/dangling: is a symbolic link to " + dir.Path() + "/nowhere, which does not exist\n"},
        {{dir.Path() + "/used/file/sub"}, "/used/file is not a directory\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {VELTRIX_CAPTURE_PROGRAM};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto run = RunProgram(args);
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_TRUE(run.err.size() >= c.message.size() &&
                    run.err.compare(run.err.size() - c.message.size(), std::string::npos, c.message) == 0)
            << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << "one line";
    }
    EXPECT_EQ(linux_tests::ReadWholeFile(dir.Path() + "/used/file"), "x") << "nothing was touched";
    EXPECT_FALSE(fs::exists(dir.Path() + "/nowhere"));
}

TEST(CaptureRoundTrip, TheCaptureReportsLikeThisMachine) {
    linux_tests::TempDir dir;
    const std::string capture = dir.Path() + "/capture";
    const auto captured = RunProgram({VELTRIX_CAPTURE_PROGRAM, capture});
    ASSERT_EQ(captured.exitCode, 0) << captured.err;
    EXPECT_TRUE(fs::exists(capture + "/.veltrix/about"));
    EXPECT_TRUE(fs::exists(capture + "/proc/meminfo"));
    EXPECT_FALSE(fs::exists(capture + "/proc/sys/kernel/hostname")) << "only what the backend read";

    const auto live = RunProgram({VELTRIX_REPORT_PROGRAM}, {{"VELTRIX_ROOT", ""}, {"VELTRIX_MACHINE", ""}});
    const auto replayed = RunProgram({VELTRIX_REPORT_PROGRAM, "--root", capture});
    ASSERT_EQ(live.exitCode, 0) << live.err;
    ASSERT_EQ(replayed.exitCode, 0) << replayed.err;
    ExpectSameReport(live.out, replayed.out, capture);
}

TEST(CaptureRoundTrip, UnderAnXServerItsRepliesAreRecorded) {
    VirtualXServer server;
    if (server.Display().empty()) GTEST_SKIP() << "no virtual X server available";
    linux_tests::TempDir dir;
    const std::string capture = dir.Path() + "/capture";
    const std::map<std::string, std::string> env = {{"DISPLAY", server.Display()}, {"VELTRIX_ROOT", ""}};
    const auto captured = RunProgram({VELTRIX_CAPTURE_PROGRAM, capture}, env);
    ASSERT_EQ(captured.exitCode, 0) << captured.err;
    for (const char* reply : {"xkb-rules-names", "xkb-repeat", "indicator-caps-lock", "pointer-mapping"})
        EXPECT_TRUE(fs::exists(capture + "/.veltrix/replies/x11/" + reply + ".hex")) << reply;

    const auto live = RunProgram({VELTRIX_REPORT_PROGRAM}, env);
    const auto replayed = RunProgram({VELTRIX_REPORT_PROGRAM, "--root", capture});
    ASSERT_EQ(live.exitCode, 0) << live.err;
    ExpectSameReport(live.out, replayed.out, capture);

    // The server's own answers, live: its default layout and repeat settings.
    platform::linux_backend::LinuxMachineOptions options;
    options.session.display = server.Display();
    platform::linux_backend::LinuxMachine machine(std::move(options));
    EXPECT_TRUE(machine.GetKeyboardLayoutName());
    EXPECT_TRUE(machine.SystemParametersInfo(platform::code::kSpiGetKeyboardDelay));
    EXPECT_EQ(machine.GetSystemMetrics(platform::code::kSmSwapButton), 0);

    // A tree is never this machine: with the same display it asks no server.
    platform::linux_backend::LinuxMachineOptions onTree;
    onTree.root = dir.Path();
    onTree.session.display = server.Display();
    platform::linux_backend::LinuxMachine tree(std::move(onTree));
    EXPECT_FALSE(tree.GetKeyboardLayoutName());
    EXPECT_FALSE(tree.SystemParametersInfo(platform::code::kSpiGetKeyboardDelay));
}

TEST(CaptureMachineFile, WritesATreeAsAMachineFileThatReportsTheSame) {
    linux_tests::TempDir dir;
    const std::string tree = std::string(VELTRIX_TREES_DIR) + "/laptop";
    const std::string file = dir.Path() + "/laptop.json";
    const auto captured = RunProgram({VELTRIX_CAPTURE_PROGRAM, "--root", tree, "--machine-file", file});
    ASSERT_EQ(captured.exitCode, 0) << captured.err;
    EXPECT_EQ(captured.out, "veltrix-capture: machine file written to " + file + "\n");
    const auto fromTree = RunProgram({VELTRIX_REPORT_PROGRAM, "--root", tree});
    const auto fromFile = RunProgram({VELTRIX_REPORT_PROGRAM, "--machine", file});
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, fromTree.out);
    EXPECT_NE(linux_tests::ReadWholeFile(file).find("\"comment\": \"Captured by veltrix-capture "), std::string::npos);
}

TEST(CaptureMachineFile, AFileThatCannotBeWrittenIsNotWrittenAtAll) {
    linux_tests::TempDir dir;
    const std::string tree = std::string(VELTRIX_TREES_DIR) + "/laptop";
    dir.Write("old.json", "old");
    fs::permissions(dir.Path() + "/old.json", fs::perms::owner_read);
    struct Case {
        std::string file;
        std::string message;
    };
    const Case cases[] = {
        {dir.Path() + "/missing/m.json", "veltrix-capture: cannot write " + dir.Path() + "/missing/m.json: "},
        {dir.Path() + "/old.json", "veltrix-capture: cannot write " + dir.Path() + "/old.json: "},
    };
    for (const auto& c : cases) {
        const auto run = RunProgram({VELTRIX_CAPTURE_PROGRAM, "--root", tree, "--machine-file", c.file});
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << "one line";
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(fs::exists(dir.Path() + "/missing"));
    EXPECT_EQ(linux_tests::ReadWholeFile(dir.Path() + "/old.json"), "old") << "kept whole";
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1) << "no temporary file left";
    // A tree that cannot be read: nothing written either.
    const auto run = RunProgram({VELTRIX_CAPTURE_PROGRAM, "--root", dir.Path() + "/none", "--machine-file",
                                 dir.Path() + "/m.json"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(fs::exists(dir.Path() + "/m.json"));
}

// With --privacy the backend masks what it answers, so the masked machine
// file reports what the report's --privacy reports of the tree.
TEST(CaptureMachineFile, AMaskedCaptureReportsAsTheMaskedReportOfItsTree) {
    linux_tests::TempDir dir;
    const std::string file = dir.Path() + "/masked.json";
    for (const std::string tree : {"debian-vm", "gamepad-desktop", "storage-desktop", "workstation"}) {
        const std::string root = std::string(VELTRIX_TREES_DIR) + "/" + tree;
        const std::map<std::string, std::string> key = {{"VELTRIX_PRIVACY_KEY", "capture test"}};
        const auto captured = RunProgram({VELTRIX_CAPTURE_PROGRAM, "--privacy", "--root", root, "--machine-file", file}, key);
        ASSERT_EQ(captured.exitCode, 0) << captured.err;
        const auto masked = RunProgram({VELTRIX_REPORT_PROGRAM, "--privacy", "--root", root}, key);
        const auto fromFile = RunProgram({VELTRIX_REPORT_PROGRAM, "--machine", file});
        ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
        EXPECT_EQ(fromFile.out, masked.out) << tree;
        EXPECT_NE(fromFile.out, RunProgram({VELTRIX_REPORT_PROGRAM, "--root", root}).out) << tree << ": nothing masked";
    }
}
