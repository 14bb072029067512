#include "window/qt/ui/focus_return.h"

#include <QApplication>

namespace window::ui::qt {

FocusReturn::FocusReturn(QWidget* owner) {
    if (!owner) return;
    window_ = owner->window();
    QWidget* focused = window_->focusWidget();
    if (!focused) focused = QApplication::focusWidget();
    if (focused && focused->window() == window_) focused_ = focused;
}

FocusReturn::~FocusReturn() {
    if (!window_ || !window_->isVisible()) return;
    window_->activateWindow();
    if (focused_ && focused_->isVisible() && focused_->isEnabled()) focused_->setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace window::ui::qt
