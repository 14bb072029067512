#include "file_in_place.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The file's old bytes that the new content will cover: only those need to
// come back if the rewrite fails, since the file is cut to its new length
// only once everything is written. So the copy is never larger than the new
// content.
struct KeptBytes {
    std::string bytes;
    off_t oldSize = 0;
};

bool WriteAllAt(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    return true;
}

bool ReadCovered(int fd, std::size_t newSize, KeptBytes& kept) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) return false;
    kept.oldSize = status.st_size;
    kept.bytes.resize(std::min(newSize, static_cast<std::size_t>(status.st_size)));
    std::size_t done = 0;
    while (done < kept.bytes.size()) {
        const ssize_t n = ::pread(fd, kept.bytes.data() + done, kept.bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;  // shorter than it said: what is there is all there is
        done += static_cast<std::size_t>(n);
    }
    kept.bytes.resize(done);
    return true;
}

// Asks the file system for the blocks of the new content before any byte is
// written, without changing the file's size or content, so a file system
// without room refuses here, with the file untouched. One that cannot
// reserve (some network and copy-on-write file systems) is written anyway:
// the old bytes are put back if a write then fails.
int Reserve(int fd, std::size_t size) {
    if (size == 0) return 0;
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0) return 0;
    if (errno == EOPNOTSUPP || errno == ENOSYS || errno == EINTR) return 0;
    return errno;
}

bool Restore(int fd, const KeptBytes& kept) {
    return WriteAllAt(fd, kept.bytes, 0) && ::ftruncate(fd, kept.oldSize) == 0 && ::fsync(fd) == 0;
}

}  // namespace

WriteResult RewriteInPlace(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return {false, std::strerror(errno)};
    KeptBytes kept;
    if (!ReadCovered(fd, bytes.size(), kept)) {
        const int error = errno;
        ::close(fd);
        return {false, std::strerror(error)};
    }
    if (const int error = Reserve(fd, bytes.size()); error != 0) {
        // Blocks reserved past the old end before the refusal are given back.
        (void)!::ftruncate(fd, kept.oldSize);
        ::close(fd);
        return {false, std::string(std::strerror(error)) + "; the file is unchanged"};
    }
    if (WriteAllAt(fd, bytes, 0) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0) {
        if (::close(fd) == 0) return {true, {}};
        return {false, std::strerror(errno)};
    }
    const int error = errno;
    const bool restored = Restore(fd, kept);
    ::close(fd);
    return {false, std::string(std::strerror(error)) +
                       (restored ? "; the file is unchanged" : "; the old content could not be put back either")};
}

}  // namespace platform
