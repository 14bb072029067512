#include "platform/regular_file.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

// What a file that is not a regular one is, in the words of `ls -l`'s types.
std::string NotARegularFile(mode_t mode) {
    if (S_ISDIR(mode)) return "is a directory";
    if (S_ISFIFO(mode)) return "is a named pipe, not a file";
    if (S_ISCHR(mode)) return "is a character device, not a file";
    if (S_ISBLK(mode)) return "is a block device, not a file";
    if (S_ISSOCK(mode)) return "is a socket, not a file";
    return "is not a regular file";
}

std::string SizeText(std::size_t limit) {
    if (limit % (1u << 20) == 0) return std::to_string(limit >> 20) + " MiB";
    return std::to_string(limit) + " bytes";
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

FileRead ReadRegularFile(const std::string& path, std::size_t limit) {
    // Looked at before it is opened: opening some devices already does
    // something (a tape rewinds, a modem line is raised).
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0) return {std::nullopt, std::strerror(errno)};
    if (!S_ISREG(before.st_mode)) return {std::nullopt, NotARegularFile(before.st_mode)};

    // Non-blocking, in case the name was swapped for a pipe in between.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0) return {std::nullopt, std::strerror(errno)};
    struct stat opened {};
    if (::fstat(fd.Get(), &opened) != 0) return {std::nullopt, std::strerror(errno)};
    if (!S_ISREG(opened.st_mode)) return {std::nullopt, NotARegularFile(opened.st_mode)};

    const std::string tooLarge = "is larger than " + SizeText(limit);
    if (static_cast<std::uintmax_t>(opened.st_size) > limit) return {std::nullopt, tooLarge};
    // The size may grow while reading: stop one byte past the limit.
    std::string content;
    char buffer[kReadChunk];
    while (content.size() <= limit) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return {std::nullopt, std::strerror(errno)};
        }
        if (n == 0) return {std::move(content), {}};
        content.append(buffer, static_cast<std::size_t>(n));
    }
    return {std::nullopt, tooLarge};
}

}  // namespace platform
