#include "platform/standard_streams.h"

#include <cerrno>
#include <csignal>

#include <unistd.h>

namespace platform {

void UseBinaryStandardOutput() {}  // POSIX streams never translate line ends

// A terminal reads the bytes in its own locale; nothing is converted here.
OutputResult WriteStandardOutput(std::string_view bytes, base::CodePage) {
    // Ignored, a write into a pipe without reader fails with EPIPE, which
    // tells the reader's leaving apart from a real write failure.
    std::signal(SIGPIPE, SIG_IGN);
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno == EPIPE ? OutputResult::kReaderClosed : OutputResult::kFailed;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return OutputResult::kWritten;
}

}  // namespace platform
