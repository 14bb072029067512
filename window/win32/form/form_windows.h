#pragma once
// Internal: the windows behind the form-engine controls on this system, and
// what they share. Labels and frames are the system's STATIC windows, the
// scroll bar its SCROLLBAR and the command button its BUTTON; forms, lines
// and images are windows of the toolkit's own class that paint themselves.

#include "window/win32/ui/system_headers.h"

#include <functional>
#include <optional>
#include <memory>

#include "window/form/bounds.h"
#include "window/form/control.h"
#include "window/ui/stdfont.h"
#include "window/win32/ui/registry.h"

namespace window::form {
class Form;
}

namespace window::form::win32 {

// What a form control keeps beside its window, released with it.
struct ControlState {
    Control* control = nullptr;  // cleared when the control goes first
    Form* form = nullptr;        // for a form's own window
    ::HWND toolTip = nullptr;    // a form's tooltip window, which it owns
    ::HFONT font = nullptr;
    ::HBRUSH brush = nullptr;
    int value = 0;  // a scroll bar's value; the system holds its position
    int smallChange = 1;
    int largeChange = 1;
    bool modalRunning = false;
    bool afterDoubleClick = false;
    std::function<void()> onClick;
    std::function<void()> onDblClick;

    ControlState() = default;
    ControlState(const ControlState&) = delete;
    ControlState& operator=(const ControlState&) = delete;
    ~ControlState() {
        if (font) ::DeleteObject(font);
        if (brush) ::DeleteObject(brush);
    }
};

// The state of a control's window; null for a window that is gone.
ControlState* StateOf(ui::HWND window);

// Makes a control's window as a child of `parent` (nullptr when the parent
// is no window) with a fresh state.
ui::HWND CreateControlWindow(std::wstring_view className, const char* systemClass, std::uint32_t style,
                             std::uint32_t exStyle, ui::HWND parent, std::wstring_view name, const Bounds& bounds,
                             ui::WNDPROC classProcedure, bool systemControl);

// A stored font at its exact size (a form's controls do not round points),
// at the screen's resolution.
::HFONT CreateFontFor(const ui::StdFont& font);
// Gives the window `font` (released with the window, or when replaced).
void SetControlFont(ui::HWND window, const ui::StdFont& font);
// An OLE_COLOR in RGB; black when it names no colour.
::COLORREF ColorOf(ui::OLE_COLOR color);
::HCURSOR CursorOf(MousePointer pointer);

// The right and middle buttons over a label or an image go on to its
// container, at the container's coordinates (a right click on the header's
// text or icon opens the header's menu); true when `message` was one.
bool PassOtherButtons(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam);

// A brush that paints what the tab strip beneath `window` shows there, for a
// window that lets it show through; the stock null brush where no strip lies
// beneath. Kept in the window's state until the next one.
::HBRUSH BackdropBrush(ui::HWND window, ::HDC dc);

// The tooltip window of the form that holds `control`, made when `make` is
// set and the form has none; null otherwise (tooltip.cpp).
::HWND FormToolTip(ui::HWND control, bool make);
// Shows `text` over the control; empty text removes its tool.
void SetToolTip(ui::HWND control, std::wstring_view text);

// What a label with a tab stop answers itself: a click takes the focus, the
// focus mark comes and goes with the focus, Ctrl+C (and WM_COPY) copies;
// nothing for any other message or label (label_focus.cpp).
std::optional<ui::LRESULT> LabelFocusMessage(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam);
// Draws a focused label's mark over the system's painting of it.
void PaintFocusMark(ui::HWND window);

// Repaints what lies under a window that lets it show through, and so the
// window itself: its rectangle in the form, children included.
void RepaintThrough(ui::HWND window);

}  // namespace window::form::win32
