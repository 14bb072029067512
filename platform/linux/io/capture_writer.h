#pragma once
// Writes what a live run read and asked (a CaptureLog) as a captured tree:
// every file at its own path under the directory, symbolic links resolved
// (a link that was followed becomes the directory or file it led to), the
// subdirectories of every directory that was listed, and every reply as
// DIR/.veltrix/replies/<channel>/<request>.hex. docs/captures.md.

#include <string>

#include "platform/linux/io/capture_log.h"

namespace platform::linux_backend {

inline constexpr const char* kCaptureAboutFile = "/.veltrix/about";

// `directory` must not exist or be empty. Returns an error text ("DIR/...:
// reason"), empty on success. `about` becomes DIR/.veltrix/about.
std::string WriteCapture(const CaptureLog& log, const std::string& directory, const std::string& about);

// Nothing to say ("") when `directory` can take a capture: it is an empty
// directory, or it does not exist (nor is a link to nowhere) and can be made.
// Otherwise the reason.
std::string CheckCaptureDirectory(const std::string& directory);

}  // namespace platform::linux_backend
