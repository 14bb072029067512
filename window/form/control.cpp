// What a control does the same on either side: its place, through the
// toolkit's MoveWindow, its visibility, state, stacking and focus.
#include "window/form/control.h"

#include <algorithm>

#include "window/form/internal/side.h"
#include "window/ui/window.h"

namespace window::form {

Control::Control(ui::HWND window, std::wstring name) : window_(window), name_(std::move(name)) {
    side::LinkControl(window_, this);
}

Control::~Control() {
    side::LinkControl(window_, nullptr);
    ui::DestroyWindow(window_);
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

void Control::SetVisible(bool visible) { ui::ShowWindow(window_, visible ? ui::SW_SHOW : ui::SW_HIDE); }

void Control::SetEnabled(bool enabled) { ui::EnableWindow(window_, enabled); }

void Control::ZOrder(int position) {
    if (position == 0) ui::BringWindowToTop(window_);
    else ui::SendWindowToBack(window_);
}

void Control::Refresh() { ui::UpdateWindow(window_); }

void Control::SetFocus() { ui::SetFocus(window_); }

}  // namespace window::form
