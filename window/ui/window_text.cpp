// A window's text crosses as WM_SETTEXT and WM_GETTEXT, so that a
// procedure up the chain sees it on either side.
#include "window/ui/window.h"

#include "window/ui/messages.h"

namespace window::ui {

bool SetWindowText(HWND window, std::wstring_view text) {
    if (!IsWindow(window)) return false;
    const std::wstring copy(text);
    SendMessage(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&copy));
    return true;
}

std::wstring GetWindowText(HWND window) {
    std::wstring text;
    if (IsWindow(window)) SendMessage(window, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&text));
    return text;
}

}  // namespace window::ui
