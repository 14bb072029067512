#include "window/win32/form/form_windows.h"

#include <cmath>

#include "window/ui/gdi.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"

namespace window::form::win32 {

namespace sys = ui::win32;

ControlState* StateOf(ui::HWND window) {
    sys::WindowRecord* record = sys::RecordOf(window);
    return record ? static_cast<ControlState*>(record->controlState.get()) : nullptr;
}

ui::HWND CreateControlWindow(std::wstring_view className, const char* systemClass, std::uint32_t style,
                             std::uint32_t exStyle, ui::HWND parent, std::wstring_view name, const Bounds& bounds,
                             ui::WNDPROC classProcedure, bool systemControl) {
    if (!ui::IsWindow(parent)) return nullptr;
    const ui::HWND window = sys::CreateSystemWindow(className, systemClass, exStyle, L"",
                                                    style | ui::WS_CHILD | ui::WS_VISIBLE, bounds.left, bounds.top,
                                                    bounds.width, bounds.height, parent, 0, name, classProcedure,
                                                    systemControl);
    if (sys::WindowRecord* record = sys::RecordOf(window)) record->controlState = std::make_shared<ControlState>();
    return window;
}

::HFONT CreateFontFor(const ui::StdFont& font) {
    ui::LOGFONT record;
    record.lfHeight = -static_cast<int>(std::lround(font.size * sys::ScreenDpi() / 72.0));
    record.lfWeight = font.bold ? ui::FW_BOLD : ui::FW_NORMAL;
    record.lfItalic = font.italic;
    record.lfUnderline = font.underline;
    record.lfStrikeOut = font.strikethrough;
    record.lfFaceName = font.name;
    // Made by the system directly: the toolkit's object count is for the
    // program's own fonts.
    return sys::CreateSystemFont(record);
}

void SetControlFont(ui::HWND window, const ui::StdFont& font) {
    ControlState* state = StateOf(window);
    if (!state) return;
    const ::HFONT made = CreateFontFor(font);
    ::SendMessageA(sys::Native(window), ui::WM_SETFONT, reinterpret_cast<::WPARAM>(made), TRUE);
    if (state->font) ::DeleteObject(state->font);
    state->font = made;
}

::COLORREF ColorOf(ui::OLE_COLOR color) {
    ui::COLORREF result = 0;
    return ui::OleTranslateColor(color, 0, &result) == ui::S_OK ? result : 0;
}

::HCURSOR CursorOf(MousePointer pointer) {
    const char* shape = nullptr;
    switch (pointer) {
        case MousePointer::Default: return nullptr;
        case MousePointer::Arrow: shape = reinterpret_cast<const char*>(IDC_ARROW); break;
        case MousePointer::Hourglass: shape = reinterpret_cast<const char*>(IDC_WAIT); break;
        case MousePointer::Hand: shape = reinterpret_cast<const char*>(IDC_HAND); break;
        case MousePointer::IBeam: shape = reinterpret_cast<const char*>(IDC_IBEAM); break;
    }
    return ::LoadCursorA(nullptr, shape);
}

bool PassOtherButtons(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    switch (message) {
        case ui::WM_RBUTTONDOWN:
        case ui::WM_RBUTTONUP:
        case ui::WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP: break;
        default: return false;
    }
    const ui::HWND parent = ui::GetParent(window);
    if (!parent) return true;
    // In design pixels: the window's place in its container is added.
    ui::RECT place;
    ui::GetWindowRect(window, place);
    const int x = ui::GET_X_LPARAM(lParam) + place.left;
    const int y = ui::GET_Y_LPARAM(lParam) + place.top;
    ui::SendMessage(parent, message, wParam, ui::MAKELPARAM(x, y));
    return true;
}

namespace {

// The form's tab strip, the one window a frame lies over.
::HWND TabStripOf(::HWND form) {
    ::HWND found = nullptr;
    ::EnumChildWindows(form, [](::HWND child, ::LPARAM data) -> ::BOOL {
        const sys::WindowRecord* record = sys::RecordOf(child);
        if (!record || record->className != ui::WC_TABCONTROL || !::IsWindowVisible(child)) return TRUE;
        *reinterpret_cast<::HWND*>(data) = child;
        return FALSE;
    }, reinterpret_cast<::LPARAM>(&found));
    return found;
}

}  // namespace

::HBRUSH BackdropBrush(ui::HWND window, ::HDC dc) {
    ControlState* state = StateOf(window);
    const ::HWND native = sys::Native(window);
    const ::HWND strip = TabStripOf(::GetAncestor(native, ui::GA_ROOT));
    if (!state || !strip) return static_cast<::HBRUSH>(::GetStockObject(NULL_BRUSH));
    ::RECT area;
    ::GetClientRect(strip, &area);
    // The strip as it paints itself, as the brush's pattern.
    const ::HDC screen = ::GetDC(strip);
    const ::HDC memory = ::CreateCompatibleDC(screen);
    const ::HBITMAP picture = ::CreateCompatibleBitmap(screen, area.right, area.bottom);
    const ::HGDIOBJ previous = ::SelectObject(memory, picture);
    ::SendMessageA(strip, WM_PRINTCLIENT, reinterpret_cast<::WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::ReleaseDC(strip, screen);
    if (state->brush) ::DeleteObject(state->brush);
    state->brush = ::CreatePatternBrush(picture);
    ::DeleteObject(picture);
    // The pattern starts at the strip's corner.
    ::POINT corner{0, 0};
    ::MapWindowPoints(strip, native, &corner, 1);
    ::SetBrushOrgEx(dc, corner.x, corner.y, nullptr);
    return state->brush;
}

void RepaintThrough(ui::HWND window) {
    const ::HWND native = sys::Native(window);
    const ::HWND form = ::GetAncestor(native, ui::GA_ROOT);
    if (!native || !form) return;
    ::RECT area;
    ::GetWindowRect(native, &area);
    ::MapWindowPoints(nullptr, form, reinterpret_cast<::POINT*>(&area), 2);
    ::RedrawWindow(form, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace window::form::win32
