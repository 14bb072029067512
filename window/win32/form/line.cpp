// A line is a window of the toolkit's class as large as the line's pixels,
// which draws the line in its colour and lets the mouse through.
#include "window/win32/form/form_windows.h"

#include "window/form/line.h"

#include "window/form/internal/side.h"
#include "window/ui/gdi.h"
#include "window/ui/window.h"

namespace window::form {

namespace {

// The window is the line's box at the screen's resolution. A level or
// upright line fills it, as thick as one design pixel is on the screen; a
// slanted one is drawn from point to point, in screen pixels.
void Paint(ui::HWND window, const Line& line) {
    ui::PAINTSTRUCT paint;
    const ::HDC dc = ui::win32::NativeDc(ui::BeginPaint(window, paint));
    if (!dc) return;
    const ::COLORREF color = win32::ColorOf(line.BorderColor());
    if (line.X1() == line.X2() || line.Y1() == line.Y2()) {
        ::RECT area;
        ::GetClientRect(ui::win32::Native(window), &area);
        const ::HBRUSH brush = ::CreateSolidBrush(color);
        ::FillRect(dc, &area, brush);
        ::DeleteObject(brush);
        return;
    }
    const Bounds box = LineBox(line.X1(), line.Y1(), line.X2(), line.Y2());
    const auto screen = [](int design, int origin) {
        return ui::win32::ScaleToScreen(design) - ui::win32::ScaleToScreen(origin);
    };
    // The end point itself is not drawn, as the system's own lines.
    const ::HPEN pen = ::CreatePen(PS_SOLID, ui::win32::ScaleToScreen(1), color);
    const ::HGDIOBJ previous = ::SelectObject(dc, pen);
    ::MoveToEx(dc, screen(line.X1(), box.left), screen(line.Y1(), box.top), nullptr);
    ::LineTo(dc, screen(line.X2(), box.left), screen(line.Y2(), box.top));
    ::SelectObject(dc, previous);
    ::DeleteObject(pen);
}

ui::LRESULT LineProcedure(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    win32::ControlState* state = win32::StateOf(window);
    const auto* line = state ? dynamic_cast<const Line*>(state->control) : nullptr;
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    if (message == ui::WM_PAINT && line) {
        Paint(window, *line);
        return 0;
    }
    if (message == ui::WM_ERASEBKGND) return 1;  // only the line's pixels are drawn
    return ui::DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

ui::HWND side::CreateLineWindow(ui::HWND parent, std::wstring_view name, const Bounds& box) {
    return win32::CreateControlWindow(L"VeltrixLine", ui::win32::ToolkitClass(), 0, WS_EX_TRANSPARENT, parent, name,
                                      box, &LineProcedure, false);
}

}  // namespace window::form
