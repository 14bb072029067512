#include "window/form/control.h"

#include <QWidget>

#include "window/form/internal/side.h"
#include "window/qt/form/form_widgets.h"
#include "window/qt/qt_bridge.h"

namespace window::form {

namespace {

QWidget* WidgetOf(ui::HWND window) { return ui::qt::WidgetOf(window); }

}  // namespace

void side::LinkControl(ui::HWND window, Control* control) {
    if (auto* link = dynamic_cast<qt::ControlLink*>(WidgetOf(window))) link->control = control;
}

Control* side::ControlOf(ui::HWND window) {
    const auto* link = dynamic_cast<const qt::ControlLink*>(WidgetOf(window));
    return link ? link->control : nullptr;
}

// Qt keeps it on the top-level widget: set when the keyboard moves the
// focus (and by a label's own keys), never cleared.
bool side::KeyboardUsed(ui::HWND window) {
    QWidget* widget = WidgetOf(window);
    return widget && widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
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

bool Control::Visible() const {
    QWidget* widget = WidgetOf(window_);
    return widget && !widget->isHidden();
}

bool Control::Enabled() const {
    QWidget* widget = WidgetOf(window_);
    return widget && !widget->testAttribute(Qt::WA_ForceDisabled);
}

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

}  // namespace window::form
