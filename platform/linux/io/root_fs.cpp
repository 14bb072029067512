#include "platform/linux/io/root_fs.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cerrno>
#include <filesystem>
#include <utility>

#include "platform/linux/privacy/privacy_filter.h"

namespace platform::linux_backend {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
constexpr std::uint64_t kSysfsPage = 4096;

// Kernels before 5.6 (and some sandboxes) lack openat2; plain openat still
// keeps relative paths under the root, only absolute links could leave it.
std::atomic<bool> openat2Missing{false};

int OpenAt2(int dirFd, const char* path, int flags) {
    open_how how{};
    how.flags = static_cast<std::uint64_t>(flags);
    how.resolve = RESOLVE_IN_ROOT | RESOLVE_NO_MAGICLINKS;
    return static_cast<int>(::syscall(SYS_openat2, dirFd, path, &how, sizeof how));
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

class FdCloser {
public:
    explicit FdCloser(int fd) : fd_(fd) {}
    ~FdCloser() {
        if (fd_ >= 0) ::close(fd_);
    }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

}  // namespace

bool IsTreeBookkeeping(std::string_view path) { return path == "/.veltrix" || path.starts_with("/.veltrix/"); }

std::optional<std::string> RelativeToRoot(std::string_view path) {
    if (path.empty() || path.front() != '/') return std::nullopt;
    std::string out;
    std::size_t at = 0;
    while (at < path.size()) {
        while (at < path.size() && path[at] == '/') ++at;
        const std::size_t end = std::min(path.find('/', at), path.size());
        const std::string_view part = path.substr(at, end - at);
        at = end;
        if (part.empty()) continue;
        if (part == "." || part == "..") return std::nullopt;
        if (!out.empty()) out.push_back('/');
        out.append(part);
    }
    return out.empty() ? std::string(".") : out;
}

RootFs::RootFs(std::string root, CaptureLog* log, const PrivacyFilter* privacy)
    : root_(std::move(root)), log_(log), privacy_(privacy) {
    // Built, not assigned from "/": GCC 12 at -O3 takes the assignment of a
    // one-character literal for an overlapping copy (-Wrestrict).
    if (root_.empty()) root_ = std::string(1, '/');
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(root_, error);
    thisSystem_ = !error && canonical == std::filesystem::path("/");
    rootFd_ = ::open(root_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    // A directory opens as a path even without permission to list or enter
    // it; such a root would only give a report of fallbacks, so it counts as
    // not open.
    if (rootFd_ >= 0 && ::faccessat(AT_FDCWD, root_.c_str(), R_OK | X_OK, AT_EACCESS) != 0) {
        ::close(rootFd_);
        rootFd_ = -1;
    }
}

RootFs::~RootFs() {
    if (rootFd_ >= 0) ::close(rootFd_);
}

int RootFs::OpenInRoot(const std::string& relative, int flags) const {
    if (rootFd_ < 0) return -1;
    flags |= O_CLOEXEC;
    if (!openat2Missing.load(std::memory_order_relaxed)) {
        int fd;
        do fd = OpenAt2(rootFd_, relative.c_str(), flags);
        while (fd < 0 && (errno == EINTR || errno == EAGAIN));
        if (fd >= 0 || (errno != ENOSYS && errno != EPERM)) return fd;
        openat2Missing.store(true, std::memory_order_relaxed);
    }
    int fd;
    do fd = ::openat(rootFd_, relative.c_str(), flags);
    while (fd < 0 && errno == EINTR);
    return fd;
}

std::string RootFs::RealPath(std::string_view path) const {
    return privacy_ ? privacy_->RealPath(path) : std::string(path);
}

std::optional<std::string> RootFs::ToOpen(std::string_view path) const { return RelativeToRoot(RealPath(path)); }

std::optional<std::string> RootFs::ReadFile(std::string_view path, std::size_t limit) const {
    const auto relative = ToOpen(path);
    if (!relative) return std::nullopt;

    // Look before opening: opening a device node can have effects (a serial
    // port raises its modem lines) or block, so only regular files go on.
    struct stat looked {};
    {
        FdCloser probe(OpenInRoot(*relative, O_PATH));
        if (probe.Get() < 0 || ::fstat(probe.Get(), &looked) != 0 || !S_ISREG(looked.st_mode)) return std::nullopt;
    }
    FdCloser file(OpenInRoot(*relative, O_RDONLY | O_NOCTTY | O_NONBLOCK));
    struct stat opened {};
    if (file.Get() < 0 || ::fstat(file.Get(), &opened) != 0 || !S_ISREG(opened.st_mode) || !SameFile(looked, opened))
        return std::nullopt;

    // A file that says it is larger than the limit is refused unread (a
    // sparse file of a gigabyte would otherwise be read up to the limit).
    // Sysfs reports a page for every text attribute, whatever it holds.
    if (static_cast<std::uint64_t>(opened.st_size) > std::max<std::uint64_t>(limit, kSysfsPage)) return std::nullopt;

    // Procfs and sysfs report size 0 or a page: read until the end. Regular
    // files report their size, so large ones (the ID databases) grow once.
    std::string content;
    if (opened.st_size > 0) content.reserve(std::min<std::size_t>(static_cast<std::size_t>(opened.st_size), limit));
    char buffer[kReadChunk];
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;  // sysfs attributes fail here when the device cannot answer
        }
        if (got == 0) break;
        bytesRead_ += static_cast<std::uint64_t>(got);
        if (content.size() + static_cast<std::size_t>(got) > limit) return std::nullopt;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    if (privacy_) content = privacy_->MaskFile(path, std::move(content));
    if (log_ && !IsTreeBookkeeping(path)) log_->NoteFile(std::string(path), content);
    return content;
}

std::string RootFs::Shown(std::string_view path) const {
    std::string base = root_;
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    if (base == "/") return std::string(path);
    return base + std::string(path);
}

bool RootFs::IsDirectory(std::string_view path) const {
    const auto relative = ToOpen(path);
    if (!relative) return false;
    FdCloser probe(OpenInRoot(*relative, O_PATH));
    struct stat st {};
    return probe.Get() >= 0 && ::fstat(probe.Get(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<std::vector<DirectoryEntry>> RootFs::ListDirectory(std::string_view path) const {
    const auto relative = ToOpen(path);
    if (!relative) return std::nullopt;
    FdCloser fd(OpenInRoot(*relative, O_RDONLY | O_DIRECTORY));
    if (fd.Get() < 0) return std::nullopt;
    DIR* dir = ::fdopendir(fd.Get());
    if (!dir) return std::nullopt;
    fd.Release();  // the stream owns it now

    std::vector<DirectoryEntry> entries;
    std::string base(path);
    if (base.back() != '/') base.push_back('/');
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        bool isDirectory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) isDirectory = IsDirectory(base + name);
        entries.push_back({name, isDirectory});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
    if (log_ && !IsTreeBookkeeping(path)) log_->NoteDirectory(std::string(path), entries);
    return entries;
}

}  // namespace platform::linux_backend
