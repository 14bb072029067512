#pragma once
// Writing a finished report to disk so that an existing file is only ever
// replaced by a complete one: the bytes go to a temporary file beside the
// target, are flushed, and the temporary file is renamed over the target,
// keeping its permissions and owner. A symbolic link is followed (the file
// it points to is replaced); what is not a regular file (/dev/null, a pipe)
// is written into as it is.

#include <string>
#include <string_view>

namespace platform {

struct WriteResult {
    bool ok = false;
    std::string error;  // errno text when !ok
};

// Refuses a target that exists and may not be written, or that carries no
// write permission at all (a read-only file), as a person saving over it
// would expect.
WriteResult WriteFileReplacing(const std::string& path, std::string_view bytes);

}  // namespace platform
