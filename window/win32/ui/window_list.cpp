// The test hook that lists every window of the program: with
// VELTRIX_WINDOW_LIST naming a file, the application writes, once its first
// form is on the screen, one line per toolkit window in the order the
// system keeps them (parents before children, front to back), in the line
// format both sides share (window/ui/internal/window_list_line.h). The
// end-to-end checks compare these rectangles with the Qt side's.
#include "window/win32/ui/system_headers.h"

#include <string>

#include "window/ui/internal/window_list_line.h"
#include "window/ui/window.h"
#include "window/win32/ui/registry.h"

namespace window::ui::win32 {

namespace {

struct Listing {
    std::string lines;
    ::HWND form;
};

void ListWindow(::HWND window, Listing& listing) {
    const WindowRecord* record = RecordOf(window);
    if (!record) return;
    // The form's own line is its client area; its frame is the system's.
    ::RECT area;
    if (window == listing.form) {
        ::GetClientRect(window, &area);
    } else {
        ::GetWindowRect(window, &area);
        ::MapWindowPoints(nullptr, listing.form, reinterpret_cast<::POINT*>(&area), 2);
    }
    listing.lines += WindowListLine(record->name, record->className, RECT{area.left, area.top, area.right, area.bottom},
                                    ::IsWindowVisible(window) != FALSE, GetWindowText(Handle(window)));
}

}  // namespace

void WriteWindowList() {
    // Asked at every idle turn of the message loop: the setting is read once.
    static const char* const path = WindowListPath();
    static bool written = false;
    if (written || !path) return;
    ::HWND form = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](::HWND window, ::LPARAM found) -> ::BOOL {
        if (!RecordOf(window) || !::IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<::HWND*>(found) = window;
        return FALSE;
    }, reinterpret_cast<::LPARAM>(&form));
    if (!form) return;
    written = true;
    Listing listing{{}, form};
    ListWindow(form, listing);
    ::EnumChildWindows(form, [](::HWND child, ::LPARAM data) -> ::BOOL {
        ListWindow(child, *reinterpret_cast<Listing*>(data));
        return TRUE;
    }, reinterpret_cast<::LPARAM>(&listing));
    WriteWindowListFile(path, listing.lines);
}

}  // namespace window::ui::win32
