#include "private_cupsd.h"

#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "../linux/support.h"

extern char** environ;

namespace cups_tests {

namespace {

namespace fs = std::filesystem;

constexpr const char* kCupsd = "/usr/sbin/cupsd";
constexpr const char* kLpadmin = "/usr/sbin/lpadmin";
constexpr auto kStartWait = std::chrono::seconds(15);
constexpr auto kStopWait = std::chrono::seconds(5);
constexpr auto kPoll = std::chrono::milliseconds(20);
// Backends the printers' device URIs name; cupsd only checks that they exist.
constexpr const char* kBackends[] = {"socket", "ipp"};

bool Answers(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

// cupsd refuses to run its helpers as root; an unprivileged account does.
std::string ServerUser() {
    if (::geteuid() != 0) {
        const passwd* me = ::getpwuid(::geteuid());
        return me ? me->pw_name : "nobody";
    }
    return ::getpwnam("lp") ? "lp" : "nobody";
}

void WriteFile(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }

}  // namespace

std::string PrivateCupsd::Missing() {
    for (const char* program : {kCupsd, kLpadmin})
        if (::access(program, X_OK) != 0)
            return std::string(program) + " is not installed (scripts/install-deps.sh installs cups-daemon and cups-client)";
    return {};
}

PrivateCupsd::PrivateCupsd() {
    std::string pattern = (fs::temp_directory_path() / "veltrix-cupsd-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        error_ = "mkdtemp failed";
        return;
    }
    directory_ = pattern;
    ::chmod(directory_.c_str(), 0755);
    const fs::path dir = directory_;
    for (const char* sub : {"bin/backend", "bin/filter", "spool", "cache", "state", "log"}) fs::create_directories(dir / sub);
    for (const char* backend : kBackends) {
        WriteFile(dir / "bin/backend" / backend, "#!/bin/sh\nexit 0\n");
        ::chmod((dir / "bin/backend" / backend).c_str(), 0755);
    }
    socket_ = directory_ + "/cups.sock";
    WriteFile(dir / "cupsd.conf",
              "Listen " + socket_ + "\nBrowsing No\nWebInterface No\nLogLevel warn\n"
              "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
              "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
    WriteFile(dir / "cups-files.conf",
              "User " + ServerUser() + "\nServerRoot " + directory_ + "\nServerBin " + directory_ + "/bin\n" +
                  "RequestRoot " + directory_ + "/spool\nTempDir " + directory_ + "/spool\nCacheDir " + directory_ +
                  "/cache\nStateDir " + directory_ + "/state\nErrorLog " + directory_ + "/log/error_log\n" +
                  "AccessLog " + directory_ + "/log/access_log\nPageLog " + directory_ + "/log/page_log\n" +
                  "Printcap " + directory_ + "/printcap\nFileDevice Yes\n");

    const std::string conf = directory_ + "/cupsd.conf", files = directory_ + "/cups-files.conf";
    std::vector<std::string> args = {kCupsd, "-f", "-c", conf, "-s", files};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, kCupsd, nullptr, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
        error_ = "cupsd could not be started";
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + kStartWait;
    while (!Answers(socket_)) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            error_ = "cupsd ended at start: " + linux_tests::ReadWholeFile(directory_ + "/log/error_log");
            return;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            error_ = "cupsd did not answer on " + socket_;
            return;
        }
        std::this_thread::sleep_for(kPoll);
    }
}

PrivateCupsd::~PrivateCupsd() {
    Stop();
    if (!directory_.empty()) {
        std::error_code ignored;
        fs::remove_all(directory_, ignored);
    }
}

void PrivateCupsd::Stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kStopWait;
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(kPoll);
    }
    pid_ = -1;
}

std::string PrivateCupsd::Lpadmin(const std::vector<std::string>& args) const {
    std::vector<std::string> command = {kLpadmin, "-h", socket_};
    command.insert(command.end(), args.begin(), args.end());
    const auto result = linux_tests::RunProgram(command);
    if (result.exitCode == 0) return {};
    return "lpadmin failed (" + std::to_string(result.exitCode) + "): " + result.err;
}

}  // namespace cups_tests
