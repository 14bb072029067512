// What the Win32 side's tab strip answers beyond the system's tab control,
// so that it behaves as the Qt side's strip: a click gives it the keyboard
// (unless it never takes the focus), and Up, Down, Page Up, Page Down, Home
// and End select as Left and Right do. The system's control (under Wine at
// least) steps with Left and Right only and takes the focus on a click only
// when made with TCS_FOCUSONBUTTONDOWN, a style the strip's owner may
// replace when it sets its own.
#include "window/win32/ui/system_headers.h"

#include "window/ui/internal/tab_keys.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"
#include "window/win32/ui/registry.h"

namespace window::ui::win32 {

namespace {

bool SelectsByItself(int key) {
    return key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT || key == VK_HOME || key == VK_END;
}

::LRESULT Notify(::HWND strip, ::NMHDR& header, ::UINT code) {
    header.hwndFrom = strip;
    header.idFrom = static_cast<::UINT_PTR>(::GetDlgCtrlID(strip));
    header.code = code;
    return ::SendMessageA(::GetParent(strip), WM_NOTIFY, header.idFrom, reinterpret_cast<::LPARAM>(&header));
}

}  // namespace

void SelectTabByKey(::HWND strip, int index, ::WORD virtualKey, ::UINT keyFlags) {
    ::NMTCKEYDOWN key{{}, virtualKey, keyFlags};
    Notify(strip, key.hdr, static_cast<::UINT>(TCN_KEYDOWN));
    // The parent may close the strip while it is told.
    const auto current = static_cast<int>(::SendMessageA(strip, TCM_GETCURSEL, 0, 0));
    if (!::IsWindow(strip) || index < 0 || index == current) return;
    ::NMHDR changing{};
    if (Notify(strip, changing, static_cast<::UINT>(TCN_SELCHANGING)) || !::IsWindow(strip)) return;
    ::SendMessageA(strip, TCM_SETCURSEL, static_cast<::WPARAM>(index), 0);
    ::NMHDR changed{};
    Notify(strip, changed, static_cast<::UINT>(TCN_SELCHANGE));
}

std::optional<LRESULT> TabStripInput(::HWND strip, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        const auto style = static_cast<std::uint32_t>(::GetWindowLongPtrA(strip, GWL_STYLE));
        if (!(style & TCS_FOCUSNEVER) && ::GetFocus() != strip) ::SetFocus(strip);
        return std::nullopt;  // the system's control selects the tab
    }
    const auto key = static_cast<int>(wParam);
    if (message != WM_KEYDOWN || !SelectsByItself(key)) return std::nullopt;
    const auto count = static_cast<int>(::SendMessageA(strip, TCM_GETITEMCOUNT, 0, 0));
    const auto current = static_cast<int>(::SendMessageA(strip, TCM_GETCURSEL, 0, 0));
    SelectTabByKey(strip, TabForKey(key, current, count), static_cast<::WORD>(key),
                   static_cast<::UINT>(HIWORD(static_cast<std::uintptr_t>(lParam))));
    return 0;
}

}  // namespace window::ui::win32
