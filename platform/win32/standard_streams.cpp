#include "platform/win32/win32_api.h"

#include "platform/standard_streams.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>

namespace platform {

void UseBinaryStandardOutput() { _setmode(_fileno(stdout), _O_BINARY); }

OutputResult WriteStandardOutput(std::string_view bytes) {
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == INVALID_HANDLE_VALUE || out == nullptr) return OutputResult::kFailed;
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(out, bytes.data(), chunk, &written, nullptr)) {
            // A pipe whose reader has gone: being closed, or closed.
            const DWORD error = ::GetLastError();
            return error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE ? OutputResult::kReaderClosed
                                                                        : OutputResult::kFailed;
        }
        if (written == 0) return OutputResult::kFailed;  // nothing moved: trying again would spin
        bytes.remove_prefix(written);
    }
    return OutputResult::kWritten;
}

}  // namespace platform
