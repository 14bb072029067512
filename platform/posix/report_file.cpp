#include "platform/report_file.h"

#include "file_in_place.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

WriteResult Failure(int error) { return {false, std::strerror(error)}; }

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes into what is not a regular file: a device such as /dev/null, or a
// pipe. A pipe without a reader would block the writer for good: it is opened
// without waiting, which refuses it at once, and then written as usual.
WriteResult WriteIntoDevice(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0 && errno == ENXIO) return {false, "no program reads from this pipe"};
    if (fd < 0) return Failure(errno);
    const int status = ::fcntl(fd, F_GETFL);
    bool ok = status >= 0 && ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == 0 && WriteAll(fd, bytes);
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    return ok ? WriteResult{true, {}} : Failure(error);
}

// The temporary file's name beside `path`: the target's own name and six
// random characters, the name shortened where that would pass the file
// system's limit on one name (255 bytes on most), so any name that can be
// saved can also be replaced.
std::string TemporaryNameFor(const std::string& path) {
    constexpr std::string_view kSuffix = ".XXXXXX";
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (limit <= 0) limit = NAME_MAX;
    const auto longest = static_cast<std::size_t>(limit);
    const std::size_t room = longest > kSuffix.size() ? longest - kSuffix.size() : 1;
    const std::string prefix = slash == std::string::npos ? std::string() : folder;
    return prefix + name.substr(0, std::min(name.size(), room)) + std::string(kSuffix);
}

}  // namespace

WriteResult WriteFileReplacing(const std::string& requested, std::string_view bytes) {
    // Saving over a symbolic link replaces the file it points to, not the link.
    std::string path = requested;
    struct stat link {};
    if (::lstat(requested.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(requested.c_str(), resolved)) return Failure(errno);
        path = resolved;
    }

    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return Failure(EISDIR);
    // A file without any write permission is read-only even to root.
    if (exists && (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return Failure(EACCES);
    if (exists && ::access(path.c_str(), W_OK) != 0) return Failure(errno);
    if (exists && !S_ISREG(existing.st_mode)) return WriteIntoDevice(path, bytes);

    std::string temporary = TemporaryNameFor(path);
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        // A folder that takes no new file: the existing file is rewritten in
        // place, whole or not at all.
        if (exists && (errno == EACCES || errno == EPERM)) return RewriteInPlace(path, bytes);
        return Failure(errno);
    }
    // Keep the permissions and, where allowed, the owner of the file being
    // replaced; a new file gets the usual permissions.
    mode_t mode = 0666;
    if (exists) {
        mode = existing.st_mode & 07777;
        if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())
            (void)!::fchown(fd, existing.st_uid, existing.st_gid);  // best effort: only root may give files away
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return Failure(error);
    }
    return {true, {}};
}

}  // namespace platform
