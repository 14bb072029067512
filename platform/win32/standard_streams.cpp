#include "platform/win32/win32_api.h"

#include "platform/standard_streams.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <optional>
#include <string>

namespace platform {

namespace {

// A console takes at most this many characters in one call on old systems
// (its buffer is shared with every process attached to it).
constexpr std::size_t kConsoleChunk = 8192;
constexpr std::size_t kFileChunk = 1u << 20;

bool IsConsole(HANDLE out) {
    DWORD mode = 0;
    return ::GetConsoleMode(out, &mode) != FALSE;
}

// Nothing when the bytes do not convert (or are too many to count in an int).
std::optional<std::wstring> Widened(std::string_view bytes, base::CodePage encoding) {
    if (bytes.empty()) return std::wstring();
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
    const UINT page = static_cast<UINT>(encoding);
    const int length = static_cast<int>(bytes.size());
    const int wide = ::MultiByteToWideChar(page, 0, bytes.data(), length, nullptr, 0);
    if (wide <= 0) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    ::MultiByteToWideChar(page, 0, bytes.data(), length, text.data(), wide);
    return text;
}

OutputResult WriteConsoleText(HANDLE out, std::wstring_view text) {
    while (!text.empty()) {
        std::size_t chunk = std::min(text.size(), kConsoleChunk);
        // A surrogate pair stays in one call.
        if (chunk < text.size() && chunk > 1 && text[chunk - 1] >= 0xD800 && text[chunk - 1] <= 0xDBFF) --chunk;
        DWORD written = 0;
        if (!::WriteConsoleW(out, text.data(), static_cast<DWORD>(chunk), &written, nullptr) || written == 0)
            return OutputResult::kFailed;
        text.remove_prefix(std::min<std::size_t>(written, text.size()));
    }
    return OutputResult::kWritten;
}

OutputResult WriteBytes(HANDLE out, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kFileChunk));
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

}  // namespace

void UseBinaryStandardOutput() { _setmode(_fileno(stdout), _O_BINARY); }

OutputResult WriteStandardOutput(std::string_view bytes, base::CodePage encoding) {
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == INVALID_HANDLE_VALUE || out == nullptr) return OutputResult::kFailed;
    if (IsConsole(out)) {
        const auto text = Widened(bytes, encoding);
        return text ? WriteConsoleText(out, *text) : OutputResult::kFailed;
    }
    return WriteBytes(out, bytes);
}

}  // namespace platform
