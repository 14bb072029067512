// Replacing a report file on Windows: the bytes go to a temporary file in
// the target's folder, are flushed, and the temporary file replaces the
// target in one step (MoveFileEx). A device name (NUL, CON) is written into
// as it is; a read-only target is refused, as on Linux.

#include "platform/win32/win32_api.h"

#include <algorithm>

#include "platform/report_file.h"
#include "platform/win32/system_text.h"

namespace platform {

namespace {

WriteResult Failure(DWORD code) { return {false, win32::FileErrorText(code)}; }

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

WriteResult WriteInPlace(const std::string& path, std::string_view bytes) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Failure(::GetLastError());
    const bool ok = WriteAll(file, bytes);
    const DWORD error = ::GetLastError();
    ::CloseHandle(file);
    return ok ? WriteResult{true, {}} : Failure(error);
}

// The folder part of a path ("." when it has none), with its separator.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

}  // namespace

WriteResult WriteFileReplacing(const std::string& path, std::string_view bytes) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {false, "Is a directory"};
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return Failure(ERROR_ACCESS_DENIED);

    // A device (NUL, CON, a pipe) has no file to replace.
    const HANDLE probe = ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        const DWORD type = ::GetFileType(probe);
        ::CloseHandle(probe);
        if (type != FILE_TYPE_DISK) return WriteInPlace(path, bytes);
    }

    char temporary[MAX_PATH] = {};
    if (::GetTempFileNameA(FolderOf(path).c_str(), "vlx", 0, temporary) == 0) return Failure(::GetLastError());
    const HANDLE file = ::CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        ::DeleteFileA(temporary);
        return Failure(error);
    }
    bool ok = WriteAll(file, bytes) && ::FlushFileBuffers(file);
    DWORD error = ::GetLastError();
    ::CloseHandle(file);
    if (ok && !::MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        error = ::GetLastError();
    }
    if (!ok) {
        ::DeleteFileA(temporary);
        return Failure(error);
    }
    return {true, {}};
}

}  // namespace platform
