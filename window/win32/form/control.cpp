#include "window/win32/form/form_windows.h"

#include "window/form/control.h"

#include <algorithm>

#include "window/ui/window.h"

namespace window::form {

Control::Control(ui::HWND window, std::wstring name) : window_(window), name_(std::move(name)) {
    if (win32::ControlState* state = win32::StateOf(window_)) state->control = this;
}

Control::~Control() {
    if (win32::ControlState* state = win32::StateOf(window_)) state->control = nullptr;
    ui::DestroyWindow(window_);
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

Bounds Control::GetBounds() const { return {Left(), Top(), Width(), Height()}; }

void Control::SetLeft(int left) { Move({left, Top(), Width(), Height()}); }
void Control::SetTop(int top) { Move({Left(), top, Width(), Height()}); }
void Control::SetWidth(int width) { Move({Left(), Top(), width, Height()}); }
void Control::SetHeight(int height) { Move({Left(), Top(), Width(), height}); }
void Control::Move(int left, int top) { Move({left, top, Width(), Height()}); }

void Control::Move(const Bounds& bounds) {
    ui::MoveWindow(window_, bounds.left, bounds.top, std::max(0, bounds.width), std::max(0, bounds.height));
}

// The control's own setting, whatever its container shows.
bool Control::Visible() const {
    return ui::IsWindow(window_) && (ui::GetWindowLongPtr(window_, ui::GWL_STYLE) & ui::WS_VISIBLE);
}

void Control::SetVisible(bool visible) { ui::ShowWindow(window_, visible ? ui::SW_SHOW : ui::SW_HIDE); }

bool Control::Enabled() const { return ui::IsWindowEnabled(window_); }

void Control::SetEnabled(bool enabled) { ui::EnableWindow(window_, enabled); }

// Tooltips of form controls are not shown on this side yet; the tab strip's
// come from its own tooltip window.
void Control::SetToolTipText(std::wstring_view) {}

void Control::SetMousePointer(MousePointer pointer) {
    pointer_ = pointer;
    if (ui::win32::WindowRecord* record = ui::win32::RecordOf(window_)) record->cursor = win32::CursorOf(pointer);
}

void Control::ZOrder(int position) {
    if (position == 0) ui::BringWindowToTop(window_);
    else ui::SendWindowToBack(window_);
}

void Control::Refresh() { ui::UpdateWindow(window_); }

void Control::SetFocus() { ui::SetFocus(window_); }

}  // namespace window::form
