#pragma once
// The directory a capture is written into, opened before the capture runs so
// that a target that cannot take it is refused at once. The capture makes
// the directory itself (and the folders above it that are missing) and
// writes everything relative to it: no link inside it is ever followed, so
// nothing planted there leads a write elsewhere.
//
// The way to the directory may pass through symbolic links, but not through
// one that the kernel's protected-symlinks rule would refuse (whether or not
// the running kernel enforces it): a link in a world-writable sticky
// directory such as /tmp, owned neither by the user running the capture nor
// by the directory's owner, was planted by someone else.

#include <string>
#include <string_view>
#include <vector>

namespace platform::linux_backend {

class CaptureTarget {
public:
    // Opens `directory` (an empty directory, or made here). On failure
    // IsOpen() is false and Error() says why ("DIR: reason").
    explicit CaptureTarget(const std::string& directory);
    ~CaptureTarget();
    CaptureTarget(const CaptureTarget&) = delete;
    CaptureTarget& operator=(const CaptureTarget&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Error() const { return error_; }

    // Makes the directories of `relative` ("sys/class/net") inside the
    // target. Returns an error text, empty on success.
    std::string MakeDirectories(std::string_view relative);
    // Writes a file at `relative` ("proc/meminfo"), making its directories.
    std::string WriteFile(std::string_view relative, std::string_view content);
    // Removes what opening made, when the capture does not go on.
    void Abandon();

private:
    std::string Refuse(const std::string& reason);
    // The folder `relative` names inside the target, made where missing;
    // -1 with `error` set when it cannot be made or is not a real folder.
    int OpenFolder(std::string_view relative, std::string& error);

    std::string shown_;  // the directory as the user gave it
    std::string error_;
    int fd_ = -1;
    int parentFd_ = -1;                // where the target was made, to undo it
    std::string madeName_;             // its name there, when this made it
};

}  // namespace platform::linux_backend
