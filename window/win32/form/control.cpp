#include "window/win32/form/form_windows.h"

#include "window/form/control.h"

#include "window/form/internal/side.h"
#include "window/ui/window.h"

namespace window::form {

// A control that goes takes its tooltip with it.
void side::LinkControl(ui::HWND window, Control* control) {
    if (win32::ControlState* state = win32::StateOf(window)) state->control = control;
    if (!control) win32::SetToolTip(window, {});
}

Control* side::ControlOf(ui::HWND window) {
    const win32::ControlState* state = win32::StateOf(window);
    return state ? state->control : nullptr;
}

bool side::KeyboardUsed(ui::HWND window) {
    const ::HWND form = ::GetAncestor(ui::win32::Native(window), ui::GA_ROOT);
    const ui::win32::WindowRecord* record = form ? ui::win32::RecordOf(form) : nullptr;
    return record && record->keyboardUsed;
}

int Control::Left() const {
    ui::RECT place;
    return ui::GetWindowRect(window_, place) ? place.left : 0;
}

int Control::Top() const {
    ui::RECT place;
    return ui::GetWindowRect(window_, place) ? place.top : 0;
}

int Control::Width() const {
    ui::RECT place;
    return ui::GetWindowRect(window_, place) ? place.Width() : 0;
}

int Control::Height() const {
    ui::RECT place;
    return ui::GetWindowRect(window_, place) ? place.Height() : 0;
}

// The control's own setting, whatever its container shows.
bool Control::Visible() const {
    return ui::IsWindow(window_) && (ui::GetWindowLongPtr(window_, ui::GWL_STYLE) & ui::WS_VISIBLE);
}

bool Control::Enabled() const { return ui::IsWindowEnabled(window_); }

void Control::SetToolTipText(std::wstring_view text) { win32::SetToolTip(window_, text); }

void Control::SetMousePointer(MousePointer pointer) {
    pointer_ = pointer;
    if (ui::win32::WindowRecord* record = ui::win32::RecordOf(window_)) record->cursor = win32::CursorOf(pointer);
}

}  // namespace window::form
