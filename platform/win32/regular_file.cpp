// Reading a file the user names, on Windows: what is not a file on a disk
// (a folder, a pipe, a console or other device) is refused before anything
// is read from it, and a file larger than the limit before it is read.

#include "platform/win32/win32_api.h"

#include "platform/regular_file.h"
#include "platform/win32/system_text.h"

namespace platform {

namespace {

constexpr DWORD kReadChunk = 64 * 1024;

std::string SizeText(std::size_t limit) {
    if (limit % (1u << 20) == 0) return std::to_string(limit >> 20) + " MiB";
    return std::to_string(limit) + " bytes";
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

FileRead ReadRegularFile(const std::string& path, std::size_t limit) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {std::nullopt, "is a directory"};
    const Handle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) return {std::nullopt, win32::FileErrorText(::GetLastError())};
    switch (::GetFileType(file.Get())) {
        case FILE_TYPE_DISK: break;
        case FILE_TYPE_PIPE: return {std::nullopt, "is a named pipe, not a file"};
        case FILE_TYPE_CHAR: return {std::nullopt, "is a character device, not a file"};
        default: return {std::nullopt, "is not a regular file"};
    }
    const std::string tooLarge = "is larger than " + SizeText(limit);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) return {std::nullopt, win32::FileErrorText(::GetLastError())};
    if (static_cast<unsigned long long>(size.QuadPart) > limit) return {std::nullopt, tooLarge};
    // The size may grow while reading: stop one byte past the limit.
    std::string content;
    char buffer[kReadChunk];
    while (content.size() <= limit) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), buffer, kReadChunk, &read, nullptr))
            return {std::nullopt, win32::FileErrorText(::GetLastError())};
        if (read == 0) return {std::move(content), {}};
        content.append(buffer, read);
    }
    return {std::nullopt, tooLarge};
}

}  // namespace platform
