// The test hook that lists every window of the program: with
// VELTRIX_WINDOW_LIST naming a file, the application writes, once its first
// form is on the screen, one line per toolkit window in the order the
// system keeps them (parents before children, front to back): its name,
// class, rectangle in its form's client pixels (left, top, right, bottom),
// whether it is shown, and its text. The end-to-end checks compare these
// rectangles with the Qt side's.
#include "window/win32/ui/system_headers.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/codepage.h"
#include "window/ui/window.h"
#include "window/win32/ui/registry.h"

namespace window::ui::win32 {

namespace {

struct Listing {
    std::FILE* file;
    ::HWND form;
};

void ListWindow(::HWND window, const Listing& listing) {
    const WindowRecord* record = RecordOf(window);
    if (!record) return;
    ::RECT area;
    ::GetWindowRect(window, &area);
    ::MapWindowPoints(nullptr, listing.form, reinterpret_cast<::POINT*>(&area), 2);
    const std::string line = base::EncodeUtf8(record->name + L"\t" + record->className + L"\t") +
                             std::to_string(area.left) + "," + std::to_string(area.top) + "," +
                             std::to_string(area.right) + "," + std::to_string(area.bottom) + "\t" +
                             (::IsWindowVisible(window) ? "shown" : "hidden") + "\t" +
                             base::EncodeUtf8(GetWindowText(Handle(window))) + "\n";
    std::fputs(line.c_str(), listing.file);
}

}  // namespace

void WriteWindowList() {
    static bool written = false;
    const char* path = std::getenv("VELTRIX_WINDOW_LIST");
    if (written || !path || !*path) return;
    ::HWND form = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](::HWND window, ::LPARAM found) -> ::BOOL {
        if (!RecordOf(window) || !::IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<::HWND*>(found) = window;
        return FALSE;
    }, reinterpret_cast<::LPARAM>(&form));
    if (!form) return;
    written = true;
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return;
    Listing listing{file, form};
    ListWindow(form, listing);
    ::EnumChildWindows(form, [](::HWND child, ::LPARAM data) -> ::BOOL {
        ListWindow(child, *reinterpret_cast<const Listing*>(data));
        return TRUE;
    }, reinterpret_cast<::LPARAM>(&listing));
    std::fclose(file);
}

}  // namespace window::ui::win32
