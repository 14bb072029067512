// The window calls over the system's: a toolkit handle is the system's
// window handle, and each call is the system call of the same name.
#include "window/win32/ui/system_headers.h"

#include "window/ui/window.h"

#include "window/ui/gdi.h"
#include "window/ui/tab_strip.h"
#include "window/ui/tooltip.h"
#include "window/win32/ui/registry.h"
#include "window/win32/ui/system_records.h"

namespace window::ui {

using win32::Handle;
using win32::Native;
using win32::RecordOf;

namespace {

const char* SystemClassOf(std::wstring_view className) {
    if (className == kUserControlClass) return win32::ToolkitClass();
    if (className == WC_TABCONTROL) return WC_TABCONTROLA;
    if (className == TOOLTIPS_CLASS) return TOOLTIPS_CLASSA;
    if (className == WC_STATIC) return "Static";
    return nullptr;
}

}  // namespace

HWND CreateWindowEx(std::uint32_t exStyle, std::wstring_view className, std::wstring_view windowText,
                    std::uint32_t style, int x, int y, int width, int height, HWND parent, std::intptr_t id,
                    std::wstring_view name) {
    const char* systemClass = SystemClassOf(className);
    if (!systemClass) return nullptr;
    if ((style & WS_CHILD) && !IsWindow(parent)) return nullptr;
    const bool systemControl = className != kUserControlClass;
    if (className == TOOLTIPS_CLASS) style |= WS_POPUP;
    return win32::CreateSystemWindow(className, systemClass, exStyle, windowText, style, x, y, width, height, parent,
                                     id, name, &DefWindowProc, systemControl);
}

bool DestroyWindow(HWND window) { return IsWindow(window) && ::DestroyWindow(Native(window)); }

bool IsWindow(HWND window) { return RecordOf(window) != nullptr && ::IsWindow(Native(window)); }

HWND GetParent(HWND window) {
    if (!IsWindow(window)) return nullptr;
    const ::HWND parent = ::GetAncestor(Native(window), GA_PARENT);
    return RecordOf(parent) ? Handle(parent) : nullptr;
}

HWND GetAncestor(HWND window, int flags) {
    if (!IsWindow(window)) return nullptr;
    const ::HWND found = ::GetAncestor(Native(window), static_cast<::UINT>(flags));
    return RecordOf(found) ? Handle(found) : nullptr;
}

std::wstring GetClassName(HWND window) {
    const win32::WindowRecord* record = RecordOf(window);
    return record ? record->className : std::wstring();
}

void SetWindowName(HWND window, std::wstring_view name) {
    if (win32::WindowRecord* record = RecordOf(window)) record->name = std::wstring(name);
}

WNDPROC SetWindowProc(HWND window, WNDPROC procedure) {
    win32::WindowRecord* record = RecordOf(window);
    if (!record) return nullptr;
    const WNDPROC previous = record->procedure;
    record->procedure = procedure;
    return previous;
}

WNDPROC GetWindowProc(HWND window) {
    const win32::WindowRecord* record = RecordOf(window);
    return record ? record->procedure : nullptr;
}

LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return procedure ? procedure(window, message, wParam, lParam) : 0;
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const win32::WindowRecord* record = RecordOf(window);
    if (!record || !record->procedure) return 0;
    return record->procedure(window, message, wParam, lParam);
}

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const win32::WindowRecord* record = RecordOf(window);
    if (!record) return 0;
    const ::HWND native = Native(window);
    const auto system = [&](::WPARAM w, ::LPARAM l) {
        return ::CallWindowProcA(record->systemProcedure, native, message, w, l);
    };
    switch (message) {
        case WM_SETTEXT: {
            const auto* text = reinterpret_cast<const std::wstring*>(lParam);
            const std::string bytes = win32::AnsiText(text ? *text : std::wstring());
            return system(0, reinterpret_cast<::LPARAM>(bytes.c_str()));
        }
        case WM_GETTEXT: {
            auto* text = reinterpret_cast<std::wstring*>(lParam);
            if (!text) return 0;
            const auto length = ::CallWindowProcA(record->systemProcedure, native, WM_GETTEXTLENGTH, 0, 0);
            std::string bytes(static_cast<std::size_t>(length) + 1, '\0');
            const auto copied = system(bytes.size(), reinterpret_cast<::LPARAM>(bytes.data()));
            bytes.resize(static_cast<std::size_t>(copied));
            *text = win32::FromAnsi(bytes);
            return static_cast<LRESULT>(text->size());
        }
        // The vocabulary's records are not the system's: nothing below the
        // toolkit reads them.
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_PAINT: return 0;
        case WM_ERASEBKGND: {
            const ::HDC dc = reinterpret_cast<::HDC>(wParam);
            if (!dc || record->systemControl) return system(wParam, lParam);
            ::RECT area;
            ::GetClientRect(native, &area);
            const COLORREF color = record->background.value_or(::GetSysColor(COLOR_BTNFACE));
            const ::HBRUSH brush = ::CreateSolidBrush(color);
            ::FillRect(dc, &area, brush);
            ::DeleteObject(brush);
            return 1;
        }
        case WM_GETDLGCODE:
            // The toolkit's own windows take the arrows and characters
            // from the dialog manager, as the Qt side's do; Tab, Enter and
            // Escape stay the form's. A system control answers for itself.
            if (!record->systemControl) return DLGC_WANTARROWS | DLGC_WANTCHARS;
            return system(wParam, lParam);
        default:
            if (record->className == WC_TABCONTROL) {
                if (auto answer = win32::TabStripInput(native, message, wParam, lParam)) return *answer;
            }
            if (auto translated = win32::SendRecordMessage(*record, native, message, wParam, lParam)) return *translated;
            return system(wParam, win32::ScreenLParam(native, message, lParam));
    }
}

std::intptr_t GetWindowLongPtr(HWND window, int index) {
    if (!IsWindow(window)) return 0;
    return ::GetWindowLongPtrA(Native(window), index);
}

std::intptr_t SetWindowLongPtr(HWND window, int index, std::intptr_t value) {
    if (!IsWindow(window)) return 0;
    const auto previous = ::SetWindowLongPtrA(Native(window), index, value);
    if (index == GWL_STYLE || index == GWL_EXSTYLE) {
        ::SetWindowPos(Native(window), nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        ::InvalidateRect(Native(window), nullptr, TRUE);
    }
    return previous;
}

bool SetProp(HWND window, std::wstring_view name, HANDLE value) {
    win32::WindowRecord* record = RecordOf(window);
    if (!record || name.empty()) return false;
    if (!::SetPropA(Native(window), win32::AnsiText(name).c_str(), reinterpret_cast<::HANDLE>(value))) return false;
    record->properties[std::wstring(name)] = value;
    return true;
}

HANDLE GetProp(HWND window, std::wstring_view name) {
    const win32::WindowRecord* record = RecordOf(window);
    if (!record || name.empty()) return 0;
    return reinterpret_cast<HANDLE>(::GetPropA(Native(window), win32::AnsiText(name).c_str()));
}

HANDLE RemoveProp(HWND window, std::wstring_view name) {
    win32::WindowRecord* record = RecordOf(window);
    if (!record || name.empty()) return 0;
    record->properties.erase(std::wstring(name));
    return reinterpret_cast<HANDLE>(::RemovePropA(Native(window), win32::AnsiText(name).c_str()));
}

std::size_t GetPropCount(HWND window) {
    const win32::WindowRecord* record = RecordOf(window);
    return record ? record->properties.size() : 0;
}

// Edge by edge, as every rectangle crosses: the right edge is the scaled
// x + width, so that windows side by side stay side by side.
bool MoveWindow(HWND window, int x, int y, int width, int height, bool repaint) {
    if (!IsWindow(window)) return false;
    const ::RECT place = win32::ToScreen({x, y, x + width, y + height});
    return ::MoveWindow(Native(window), place.left, place.top, place.right - place.left, place.bottom - place.top,
                        repaint);
}

bool GetClientRect(HWND window, RECT& rect) {
    ::RECT area;
    if (!IsWindow(window) || !::GetClientRect(Native(window), &area)) return false;
    rect = win32::ToDesign(area);
    return true;
}

bool GetWindowRect(HWND window, RECT& rect) {
    ::RECT area;
    if (!IsWindow(window) || !::GetWindowRect(Native(window), &area)) return false;
    const ::HWND parent = ::GetAncestor(Native(window), GA_PARENT);
    if (parent && parent != ::GetDesktopWindow()) ::MapWindowPoints(nullptr, parent, reinterpret_cast<::POINT*>(&area), 2);
    rect = win32::ToDesign(area);
    return true;
}

bool EnableWindow(HWND window, bool enable) {
    if (!IsWindow(window)) return false;
    ::EnableWindow(Native(window), enable);
    return true;
}

bool IsWindowEnabled(HWND window) { return IsWindow(window) && ::IsWindowEnabled(Native(window)); }

bool ShowWindow(HWND window, int command) {
    if (!IsWindow(window)) return false;
    ::ShowWindow(Native(window), command);
    return true;
}

bool IsWindowVisible(HWND window) { return IsWindow(window) && ::IsWindowVisible(Native(window)); }

void BringWindowToTop(HWND window) {
    if (IsWindow(window)) ::SetWindowPos(Native(window), win32::kFrontOfSiblings, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SendWindowToBack(HWND window) {
    if (IsWindow(window)) ::SetWindowPos(Native(window), win32::kBackOfSiblings, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND SetFocus(HWND window) {
    if (!IsWindow(window)) return nullptr;
    const ::HWND previous = ::SetFocus(Native(window));
    return RecordOf(previous) ? Handle(previous) : nullptr;
}

HWND GetFocus() {
    const ::HWND focus = ::GetFocus();
    return RecordOf(focus) ? Handle(focus) : nullptr;
}

bool InvalidateRect(HWND window, const RECT* rect, bool erase) {
    if (!IsWindow(window)) return false;
    if (!rect) return ::InvalidateRect(Native(window), nullptr, erase);
    const ::RECT area = win32::ToScreen(*rect);
    return ::InvalidateRect(Native(window), &area, erase);
}

bool UpdateWindow(HWND window) { return IsWindow(window) && ::UpdateWindow(Native(window)); }

void SetWindowBackgroundColor(HWND window, COLORREF color) {
    win32::WindowRecord* record = RecordOf(window);
    if (!record) return;
    record->background = color;
    ::InvalidateRect(Native(window), nullptr, TRUE);
}

std::size_t GetWindowCount() { return win32::RegisteredCount(); }

std::size_t GetTotalPropCount() { return win32::TotalPropertyCount(); }

}  // namespace window::ui
