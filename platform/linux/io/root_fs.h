#pragma once
// The one reader of the Linux backend. Every file and directory is opened
// relative to a file-system root: "/" on this machine, a directory on a
// captured tree. Paths are absolute ("/proc/meminfo") and are resolved inside
// the root, symbolic links included, so a tree cannot lead the reader out of
// itself. Only regular files are read: device nodes, pipes and sockets are
// never opened, so no read can block.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/io/capture_log.h"
#include "platform/regular_file.h"

namespace platform::linux_backend {

class PrivacyFilter;

// A tree's own files (its recorded replies, its about file) under /.veltrix:
// read as replies, never as files of the machine, so a capture made on a
// tree records the replies, and they are masked as replies.
bool IsTreeBookkeeping(std::string_view path);

class RootFs {
public:
    // Procfs and sysfs files are small; anything larger is refused.
    static constexpr std::size_t kReadLimit = platform::kFileReadLimit;

    // `log`, when given, receives every file and directory that was read.
    // `privacy`, when given, masks every file read (privacy_filter.h), and
    // the log receives the masked content.
    explicit RootFs(std::string root, CaptureLog* log = nullptr, const PrivacyFilter* privacy = nullptr);
    ~RootFs();
    RootFs(const RootFs&) = delete;
    RootFs& operator=(const RootFs&) = delete;

    // The root is a directory this process may list and enter.
    bool IsOpen() const { return rootFd_ >= 0; }
    const std::string& Root() const { return root_; }
    // The root is this system's own "/" (answers may come from the machine
    // itself); anything else is a captured tree.
    bool IsThisSystem() const { return thisSystem_; }

    // The whole content of a regular file; nothing when the path is missing,
    // not a regular file, unreadable, or larger than `limit` (a file whose
    // size already says so is not read at all).
    std::optional<std::string> ReadFile(std::string_view path, std::size_t limit = kReadLimit) const;
    // The bytes read from files so far (a counter for tests).
    std::uint64_t BytesRead() const { return bytesRead_; }
    // The entries of a directory sorted by name, without "." and "..";
    // symbolic links are followed to tell directories from files.
    std::optional<std::vector<DirectoryEntry>> ListDirectory(std::string_view path) const;
    bool IsDirectory(std::string_view path) const;
    // The path on this system for a path the backend built from what it read:
    // under --privacy a masked mount point is turned back into the real one.
    std::string RealPath(std::string_view path) const;
    // The path as a user finds it: the root joined with the path.
    std::string Shown(std::string_view path) const;

private:
    int OpenInRoot(const std::string& relative, int flags) const;
    // The path to open, relative to the root, for a path the backend asked for.
    std::optional<std::string> ToOpen(std::string_view path) const;

    std::string root_;
    bool thisSystem_ = false;
    int rootFd_ = -1;
    CaptureLog* log_ = nullptr;
    const PrivacyFilter* privacy_ = nullptr;
    mutable std::uint64_t bytesRead_ = 0;
};

// An absolute path made relative to the root: "/proc/meminfo" gives
// "proc/meminfo", "/" gives ".". Nothing for relative paths and for paths
// with "." or ".." components.
std::optional<std::string> RelativeToRoot(std::string_view path);

}  // namespace platform::linux_backend
