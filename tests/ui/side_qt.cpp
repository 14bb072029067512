// The shared window cases' support on the Qt side: real widget events
// through QTest, offscreen.
#include "side.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

#include "window/qt/ui/gdi_objects.h"
#include "window/qt/ui/registry.h"
#include "window/ui/messages.h"
#include "ui_test_support.h"

namespace ui = window::ui;

namespace side {

namespace {

QWidget* WidgetOf(ui::HWND window) { return ui::qt::WidgetOf(window); }

Qt::Key QtKey(int virtualKey, int modifiers) {
    switch (virtualKey) {
    case ui::VK_TAB: return (modifiers & kShift) ? Qt::Key_Backtab : Qt::Key_Tab;
    case ui::VK_RETURN: return Qt::Key_Return;
    case ui::VK_ESCAPE: return Qt::Key_Escape;
    case ui::VK_SPACE: return Qt::Key_Space;
    case ui::VK_PRIOR: return Qt::Key_PageUp;
    case ui::VK_NEXT: return Qt::Key_PageDown;
    case ui::VK_END: return Qt::Key_End;
    case ui::VK_HOME: return Qt::Key_Home;
    case ui::VK_LEFT: return Qt::Key_Left;
    case ui::VK_UP: return Qt::Key_Up;
    case ui::VK_RIGHT: return Qt::Key_Right;
    case ui::VK_DOWN: return Qt::Key_Down;
    case ui::VK_APPS: return Qt::Key_Menu;
    default:
        if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<Qt::Key>(virtualKey);
        return Qt::Key_unknown;
    }
}

}  // namespace

const char* KnownFault() { return nullptr; }

bool ShowActive(ui::HWND window) { return ui_test::ShowActive(window); }

bool PumpUntil(const std::function<bool()>& done, int milliseconds) { return QTest::qWaitFor(done, milliseconds); }

void PumpFor(int milliseconds) { QTest::qWait(milliseconds); }

void Repaint(ui::HWND window) {
    if (QWidget* widget = WidgetOf(window)) widget->grab();
}

void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// QTest's waiting runs no loop that the quit would end.
void TakeBackQuit() {}

void PressKey(int virtualKey, int modifiers) {
    QWidget* target = QApplication::focusWidget();
    if (!target) target = QApplication::activeWindow();
    Qt::KeyboardModifiers held;
    if (modifiers & kShift) held |= Qt::ShiftModifier;
    if (modifiers & kControl) held |= Qt::ControlModifier;
    QTest::keyClick(target, QtKey(virtualKey, modifiers), held);
}

void Click(ui::HWND window, ui::POINT at, Button button) {
    QTest::mouseClick(WidgetOf(window), button == Button::Left ? Qt::LeftButton : Qt::RightButton, {}, QPoint(at.x, at.y));
}

void DoubleClick(ui::HWND window, ui::POINT at) {
    QTest::mouseDClick(WidgetOf(window), Qt::LeftButton, {}, QPoint(at.x, at.y));
    QTest::mouseRelease(WidgetOf(window), Qt::LeftButton, {}, QPoint(at.x, at.y));
}

void Scroll(ui::HWND bar, ScrollStep step) {
    auto* widget = qobject_cast<QScrollBar*>(WidgetOf(bar));
    if (!widget) return;
    // The arrows as drawn: a bar turned round has its lower end at the right.
    if (widget->invertedAppearance()) {
        switch (step) {
        case ScrollStep::LineLeft: step = ScrollStep::LineRight; break;
        case ScrollStep::LineRight: step = ScrollStep::LineLeft; break;
        case ScrollStep::ToLeft: step = ScrollStep::ToRight; break;
        case ScrollStep::ToRight: step = ScrollStep::ToLeft; break;
        }
    }
    switch (step) {
    case ScrollStep::LineLeft: widget->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case ScrollStep::LineRight: widget->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case ScrollStep::ToLeft: widget->triggerAction(QAbstractSlider::SliderToMinimum); break;
    case ScrollStep::ToRight: widget->triggerAction(QAbstractSlider::SliderToMaximum); break;
    }
}

struct Canvas::Impl {
    QImage image;
    ui::HDC dc = nullptr;
};

Canvas::Canvas(int width, int height, ui::COLORREF fill) : impl_(std::make_unique<Impl>()) {
    impl_->image = QImage(width, height, QImage::Format_RGB32);
    impl_->image.fill(QColor(ui::GetRValue(fill), ui::GetGValue(fill), ui::GetBValue(fill)));
    impl_->dc = ui::qt::NewImageDeviceContext(impl_->image);
}

Canvas::~Canvas() { ui::qt::DeleteDeviceContext(impl_->dc); }

ui::HDC Canvas::Dc() const { return impl_->dc; }

ui::COLORREF Canvas::Pixel(int x, int y) const { return ui::qt::FromQColor(impl_->image.pixelColor(x, y)); }

}  // namespace side
