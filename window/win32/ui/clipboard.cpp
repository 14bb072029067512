// The system's clipboard holds Unicode text as CF_UNICODETEXT: a movable
// global block of UTF-16 units ended by a NUL. Another program may hold the
// clipboard open for a moment, so taking it is tried a few times.
#include "window/win32/ui/system_headers.h"

#include "window/ui/clipboard.h"

#include <cstring>

#include "window/win32/ui/registry.h"

namespace window::ui {

namespace {

constexpr int kOpenTries = 10;
constexpr ::DWORD kOpenRetryMilliseconds = 10;

bool OpenClipboardFor(::HWND owner) {
    for (int attempt = 0; attempt < kOpenTries; ++attempt) {
        if (::OpenClipboard(owner)) return true;
        ::Sleep(kOpenRetryMilliseconds);
    }
    return false;
}

}  // namespace

bool SetClipboardText(HWND owner, std::wstring_view text) {
    // Without an owner, the system refuses data put on an emptied clipboard.
    const ::HWND native = win32::Native(owner);
    if (!native || !OpenClipboardFor(native)) return false;
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    ::HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool placed = false;
    if (block) {
        if (void* memory = ::GlobalLock(block)) {
            std::memcpy(memory, text.data(), text.size() * sizeof(wchar_t));
            static_cast<wchar_t*>(memory)[text.size()] = L'\0';
            ::GlobalUnlock(block);
            placed = ::EmptyClipboard() && ::SetClipboardData(CF_UNICODETEXT, block) != nullptr;
        }
        // Once placed, the block is the system's.
        if (!placed) ::GlobalFree(block);
    }
    ::CloseClipboard();
    return placed;
}

std::wstring GetClipboardText() {
    std::wstring text;
    if (!OpenClipboardFor(nullptr)) return text;
    if (::HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        const std::size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
        if (const auto* memory = static_cast<const wchar_t*>(::GlobalLock(data))) {
            // Up to the NUL, never past the block.
            std::size_t length = 0;
            while (length < capacity && memory[length] != L'\0') ++length;
            text.assign(memory, length);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

}  // namespace window::ui
