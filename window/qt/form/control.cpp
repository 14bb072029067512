#include "window/form/control.h"

#include <QWidget>

#include "window/qt/form/form_widgets.h"
#include "window/qt/qt_bridge.h"
#include "window/ui/window.h"

namespace window::form {

namespace {

QWidget* WidgetOf(ui::HWND window) { return ui::qt::WidgetOf(window); }

}  // namespace

Control::Control(ui::HWND window, std::wstring name) : window_(window), name_(std::move(name)) {
    if (auto* link = dynamic_cast<qt::ControlLink*>(WidgetOf(window_))) link->control = this;
}

Control::~Control() {
    if (auto* link = dynamic_cast<qt::ControlLink*>(WidgetOf(window_))) link->control = nullptr;
    ui::DestroyWindow(window_);
}

int Control::Left() const {
    QWidget* widget = WidgetOf(window_);
    return widget ? widget->x() : 0;
}

int Control::Top() const {
    QWidget* widget = WidgetOf(window_);
    return widget ? widget->y() : 0;
}

int Control::Width() const {
    QWidget* widget = WidgetOf(window_);
    return widget ? widget->width() : 0;
}

int Control::Height() const {
    QWidget* widget = WidgetOf(window_);
    return widget ? widget->height() : 0;
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

bool Control::Visible() const {
    QWidget* widget = WidgetOf(window_);
    return widget && !widget->isHidden();
}

void Control::SetVisible(bool visible) { ui::ShowWindow(window_, visible ? ui::SW_SHOW : ui::SW_HIDE); }

bool Control::Enabled() const {
    QWidget* widget = WidgetOf(window_);
    return widget && !widget->testAttribute(Qt::WA_ForceDisabled);
}

void Control::SetEnabled(bool enabled) { ui::EnableWindow(window_, enabled); }

void Control::SetToolTipText(std::wstring_view text) {
    if (QWidget* widget = WidgetOf(window_)) widget->setToolTip(ui::qt::ToQString(text));
}

void Control::SetMousePointer(MousePointer pointer) {
    pointer_ = pointer;
    QWidget* widget = WidgetOf(window_);
    if (!widget) return;
    if (pointer == MousePointer::Default) widget->unsetCursor();
    else widget->setCursor(qt::CursorOf(pointer));
}

void Control::ZOrder(int position) {
    if (position == 0) ui::BringWindowToTop(window_);
    else ui::SendWindowToBack(window_);
}

void Control::Refresh() { ui::UpdateWindow(window_); }

void Control::SetFocus() { ui::SetFocus(window_); }

}  // namespace window::form
