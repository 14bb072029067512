#pragma once
// Internal to the toolkit: what the shared sources of the form-engine
// controls (window/form/*.cpp) ask of the side that makes their windows
// (qt/form or win32/form). Each side defines these once.

#include <string>
#include <string_view>

#include "window/form/bounds.h"
#include "window/form/form.h"
#include "window/ui/types.h"

namespace window::form {

struct Form::Impl {
    FormStyle style;
};

namespace side {

// A form's top-level window, which knows its form until ForgetForm.
ui::HWND CreateFormWindow(Form* form, const std::wstring& name, const FormStyle& style);
void ForgetForm(ui::HWND window);

// Ties a control's window to the control; null unties it (the control goes
// first, the window may stay a moment with its container).
void LinkControl(ui::HWND window, Control* control);

// The control whose window `window` is; null for a window of no control.
Control* ControlOf(ui::HWND window);

// Whether the keyboard has been used in the form that holds `window`: focus
// marks show from then on.
bool KeyboardUsed(ui::HWND window);

// A line's window over `box`, the smallest box that holds its pixels.
ui::HWND CreateLineWindow(ui::HWND parent, std::wstring_view name, const Bounds& box);

}  // namespace side

// The smallest box that holds the pixels of the line from (x1, y1) to (x2, y2).
Bounds LineBox(int x1, int y1, int x2, int y2);

}  // namespace window::form
