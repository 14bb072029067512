// The keys every window of the program answers, whichever control has the
// focus: Ctrl+Tab and Ctrl+Page Down to the next tab of the window's tab
// strip, Ctrl+Shift+Tab and Ctrl+Page Up to the previous one (wrapping at
// both ends), and Shift+F10 and the Menu key for the window menu. The
// system's tab control answers none of them itself. Alt+Space is the
// system's own.
#include "window/win32/ui/system_headers.h"

#include "window/ui/internal/tab_keys.h"
#include "window/ui/menu.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"
#include "window/win32/ui/registry.h"

namespace window::ui::win32 {

namespace {

bool Held(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

::HWND TabStripOf(::HWND form) {
    ::HWND found = nullptr;
    ::EnumChildWindows(form, [](::HWND child, ::LPARAM data) -> ::BOOL {
        const WindowRecord* record = RecordOf(child);
        if (!record || record->className != WC_TABCONTROL || !::IsWindowVisible(child) || !::IsWindowEnabled(child)) {
            return TRUE;
        }
        *reinterpret_cast<::HWND*>(data) = child;
        return FALSE;
    }, reinterpret_cast<::LPARAM>(&found));
    return found;
}

// As the strip's own keys select (tab_strip_input.cpp), wrapping at both
// ends.
void SelectNeighbour(::HWND strip, int step, ::WORD virtualKey) {
    const int next = NeighbourTab(static_cast<int>(::SendMessageA(strip, TCM_GETCURSEL, 0, 0)), step,
                                  static_cast<int>(::SendMessageA(strip, TCM_GETITEMCOUNT, 0, 0)));
    if (next >= 0) SelectTabByKey(strip, next, virtualKey, 0);
}

}  // namespace

bool HandleWindowKeys(const ::MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    const ::HWND form = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (!form || !RecordOf(form)) return false;
    const auto key = static_cast<int>(message.wParam);
    if ((key == VK_F1 + 9 && Held(VK_SHIFT)) || key == VK_APPS) {
        return ShowWindowMenu(Handle(form), POINT{0, 0});
    }
    if (!Held(VK_CONTROL) || (key != VK_TAB && key != VK_NEXT && key != VK_PRIOR)) return false;
    const ::HWND strip = TabStripOf(form);
    if (!strip) return false;
    const bool back = key == VK_PRIOR || (key == VK_TAB && Held(VK_SHIFT));
    SelectNeighbour(strip, back ? -1 : 1, static_cast<::WORD>(key));
    return true;
}

}  // namespace window::ui::win32
