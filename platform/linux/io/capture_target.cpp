#include "platform/linux/io/capture_target.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <utility>

namespace platform::linux_backend {

namespace {

constexpr int kMaxLinks = 40;  // as many as the kernel follows in one path
constexpr mode_t kFolderMode = 0755;
constexpr mode_t kFileMode = 0644;
constexpr const char* kProbe = ".veltrix";  // the capture's own folder, made first

std::string Reason(int error) { return std::strerror(error); }

std::deque<std::string> Components(std::string_view path) {
    std::deque<std::string> parts;
    std::size_t at = 0;
    while (at <= path.size()) {
        const std::size_t end = std::min(path.find('/', at), path.size());
        if (end > at) parts.emplace_back(path.substr(at, end - at));
        at = end + 1;
    }
    return parts;
}

int OpenFolderAt(int dirFd, const std::string& name) {
    return ::openat(dirFd, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

void Replace(int& fd, int with) {
    if (fd >= 0) ::close(fd);
    fd = with;
}

// The kernel's protected-symlinks rule (fs.protected_symlinks = 1): a link
// in a sticky world-writable folder is followed only by its owner, or when
// the folder's owner also owns the link.
bool MayFollow(const struct stat& folder, const struct stat& link) {
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

bool IsEmptyFolder(int fd) {
    const int listing = ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0) return false;
    DIR* dir = ::fdopendir(listing);
    if (!dir) {
        ::close(listing);
        return false;
    }
    bool empty = true;
    while (const dirent* entry = ::readdir(dir))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) empty = false;
    ::closedir(dir);
    return empty;
}

}  // namespace

CaptureTarget::CaptureTarget(const std::string& directory) : shown_(directory) {
    auto parts = Components(directory);
    if (parts.empty()) {
        Refuse("names no directory");
        return;
    }
    int at = ::open(directory.front() == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (at < 0) {
        Refuse(Reason(errno));
        return;
    }
    std::string walked = directory.front() == '/' ? "" : ".";
    int links = 0;
    std::string lastLink;         // the text of the last link followed
    std::size_t fromLink = 0;     // the first parts that came from its text
    // Walks the path as the kernel resolves it, looking at each link first.
    while (!parts.empty()) {
        const std::string part = std::move(parts.front());
        parts.pop_front();
        const bool linked = fromLink > 0;
        if (fromLink > 0) --fromLink;
        if (part == ".") continue;
        const bool last = parts.empty();
        struct stat entry {};
        if (::fstatat(at, part.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT || part == "..") {
                Refuse(walked + "/" + part + ": " + Reason(errno));
                break;
            }
            // A link to nowhere would be made real where the link says: refused.
            if (linked) {
                Refuse("is a symbolic link to " + lastLink + ", which does not exist");
                break;
            }
            // A missing folder: made here, the target itself last.
            if (::mkdirat(at, part.c_str(), kFolderMode) != 0) {
                Refuse("cannot be made in " + (walked.empty() ? "/" : walked) + ": " + Reason(errno));
                break;
            }
            if (last) {
                parentFd_ = ::dup(at);
                madeName_ = part;
            }
            if (::fstatat(at, part.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
                Refuse(Reason(errno));
                break;
            }
        }
        if (S_ISLNK(entry.st_mode)) {
            struct stat folder {};
            if (::fstat(at, &folder) != 0 || !MayFollow(folder, entry)) {
                Refuse("is reached through the symbolic link " + walked + "/" + part + ", which user " +
                       std::to_string(entry.st_uid) + " owns in the shared folder " + (walked.empty() ? "/" : walked) +
                       "; it is not followed");
                break;
            }
            if (++links > kMaxLinks) {
                Refuse(Reason(ELOOP));
                break;
            }
            std::string target(static_cast<std::size_t>(entry.st_size) + 1, '\0');
            const ssize_t length = ::readlinkat(at, part.c_str(), target.data(), target.size());
            if (length < 0 || static_cast<std::size_t>(length) >= target.size()) {
                Refuse(walked + "/" + part + ": " + Reason(length < 0 ? errno : EAGAIN));
                break;
            }
            target.resize(static_cast<std::size_t>(length));
            if (!target.empty() && target.front() == '/') {
                Replace(at, ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
                walked.clear();
            }
            auto inner = Components(target);
            parts.insert(parts.begin(), inner.begin(), inner.end());
            fromLink += inner.size();
            lastLink = target;
            continue;
        }
        if (!S_ISDIR(entry.st_mode)) {
            Refuse(last ? "exists and is not a directory" : walked + "/" + part + " is not a directory");
            break;
        }
        const int next = OpenFolderAt(at, part);
        if (next < 0) {
            Refuse(walked + "/" + part + ": " + Reason(errno));
            break;
        }
        Replace(at, next);
        walked += "/" + part;
    }
    if (!error_.empty()) {
        if (at >= 0) ::close(at);
        Abandon();
        return;
    }
    fd_ = ::openat(at, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::close(at);
    if (fd_ < 0) {
        Refuse(Reason(errno));
        Abandon();
        return;
    }
    if (madeName_.empty() && !IsEmptyFolder(fd_)) {
        Refuse("is not empty");
        Abandon();
        return;
    }
    // The capture's own folder is made now: a read-only file system or a
    // folder the kernel keeps from us refuses here, before anything runs.
    if (::mkdirat(fd_, kProbe, kFolderMode) != 0) {
        Refuse("cannot be written: " + Reason(errno));
        Abandon();
    }
}

CaptureTarget::~CaptureTarget() {
    if (fd_ >= 0) ::close(fd_);
    if (parentFd_ >= 0) ::close(parentFd_);
}

std::string CaptureTarget::Refuse(const std::string& reason) {
    if (error_.empty()) error_ = shown_ + ": " + reason;
    return error_;
}

void CaptureTarget::Abandon() {
    if (fd_ >= 0) {
        ::unlinkat(fd_, kProbe, AT_REMOVEDIR);
        ::close(fd_);
        fd_ = -1;
    }
    if (parentFd_ >= 0 && !madeName_.empty()) ::unlinkat(parentFd_, madeName_.c_str(), AT_REMOVEDIR);
    madeName_.clear();
}

int CaptureTarget::OpenFolder(std::string_view relative, std::string& error) {
    int at = ::dup(fd_);
    if (at < 0) {
        error = shown_ + ": " + Reason(errno);
        return -1;
    }
    std::string walked = shown_;
    for (const auto& part : Components(relative)) {
        walked += "/" + part;
        if (part == "." || part == "..") {
            error = walked + ": not a name inside the capture";
            ::close(at);
            return -1;
        }
        if (::mkdirat(at, part.c_str(), kFolderMode) != 0 && errno != EEXIST) {
            error = walked + ": " + Reason(errno);
            ::close(at);
            return -1;
        }
        // O_NOFOLLOW: a link put here in the meantime is refused (ELOOP).
        const int next = ::openat(at, part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) {
            error = walked + ": " + Reason(errno);
            ::close(at);
            return -1;
        }
        Replace(at, next);
    }
    return at;
}

std::string CaptureTarget::MakeDirectories(std::string_view relative) {
    if (fd_ < 0) return error_;
    std::string error;
    const int folder = OpenFolder(relative, error);
    if (folder >= 0) ::close(folder);
    return error;
}

std::string CaptureTarget::WriteFile(std::string_view relative, std::string_view content) {
    if (fd_ < 0) return error_;
    const std::size_t slash = relative.rfind('/');
    const std::string_view folderPart = slash == std::string_view::npos ? std::string_view() : relative.substr(0, slash);
    const std::string name(slash == std::string_view::npos ? relative : relative.substr(slash + 1));
    const std::string shown = shown_ + "/" + std::string(relative);
    if (name.empty() || name == "." || name == "..") return shown + ": not a file name";
    std::string error;
    const int folder = OpenFolder(folderPart, error);
    if (folder < 0) return error;
    const int file = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, kFileMode);
    const int openError = errno;
    ::close(folder);
    if (file < 0) return shown + ": " + Reason(openError);
    std::string_view rest = content;
    while (!rest.empty()) {
        const ssize_t n = ::write(file, rest.data(), rest.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int writeError = errno;
            ::close(file);
            return shown + ": " + Reason(writeError);
        }
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
    if (::close(file) != 0) return shown + ": " + Reason(errno);
    return {};
}

}  // namespace platform::linux_backend
