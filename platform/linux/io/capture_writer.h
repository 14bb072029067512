#pragma once
// Writes what a live run read and asked (a CaptureLog) as a captured tree
// into a CaptureTarget (capture_target.h: made by the capture, written
// without following any link inside it):
// every file at its own path under the directory, symbolic links resolved
// (a link that was followed becomes the directory or file it led to), the
// subdirectories of every directory that was listed, and every reply as
// DIR/.veltrix/replies/<channel>/<request>.hex. docs/captures.md.

#include <string>

#include "platform/linux/io/capture_log.h"
#include "platform/linux/io/capture_target.h"

namespace platform::linux_backend {

inline constexpr const char* kCaptureAboutFile = "/.veltrix/about";

// Returns an error text ("DIR/...: reason"), empty on success. `about`
// becomes DIR/.veltrix/about.
std::string WriteCapture(const CaptureLog& log, CaptureTarget& target, const std::string& about);
// The same into `directory`, which must not exist or be empty.
std::string WriteCapture(const CaptureLog& log, const std::string& directory, const std::string& about);

// Nothing to say ("") when `directory` can take a capture (CaptureTarget);
// otherwise the reason. Leaves nothing behind.
std::string CheckCaptureDirectory(const std::string& directory);

}  // namespace platform::linux_backend
