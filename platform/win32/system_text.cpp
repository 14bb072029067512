#include "platform/win32/system_text.h"

#include <climits>
#include <optional>

#include "base/system_codepages.h"
#include "platform/win32/win32_api.h"

namespace platform::win32 {

namespace {

std::optional<std::wstring> Decode(base::CodePage page, std::string_view bytes) {
    const auto number = static_cast<UINT>(page);
    if (!::IsValidCodePage(number) || bytes.size() > INT_MAX) return std::nullopt;
    if (bytes.empty()) return std::wstring();
    const int size = static_cast<int>(bytes.size());
    // Bytes the code page has no character for become its default character,
    // as every A function's text does.
    const int length = ::MultiByteToWideChar(number, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(number, 0, bytes.data(), size, text.data(), length);
    return text;
}

std::optional<std::string> Encode(base::CodePage page, std::wstring_view text) {
    const auto number = static_cast<UINT>(page);
    if (!::IsValidCodePage(number) || text.size() > INT_MAX) return std::nullopt;
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    // "?" for what the code page cannot hold, never a look-alike: a best fit
    // can turn a full-width solidus into the path separator of a device name.
    const DWORD flags = number == CP_UTF7 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* unknown = number == CP_UTF7 ? nullptr : "?";
    const int length = ::WideCharToMultiByte(number, flags, text.data(), size, nullptr, 0, unknown, nullptr);
    if (length <= 0) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(number, flags, text.data(), size, bytes.data(), length, unknown, nullptr);
    return bytes;
}

}  // namespace

void InstallSystemCodePages(unsigned ansiCodePage) {
    base::SystemCodePages pages;
    pages.ansi = static_cast<base::CodePage>(ansiCodePage != 0 ? ansiCodePage : ::GetACP());
    pages.decode = &Decode;
    pages.encode = &Encode;
    base::InstallSystemCodePages(pages);
}

std::wstring FromAnsi(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
    return text;
}

std::string ErrorText(unsigned long code) {
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length > 0 && buffer ? std::string(buffer, length) : "error " + std::to_string(code);
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

std::string FileErrorText(unsigned long code) {
    switch (code) {
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT: return "Permission denied";
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_DIRECTORY:  // a temporary file asked for in a folder that is not there
            return "No such file or directory";
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return "No space left on device";
        default: return ErrorText(code);
    }
}

}  // namespace platform::win32
