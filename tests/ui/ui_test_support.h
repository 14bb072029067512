#pragma once
// Helpers of the window layer's tests: reach the widget behind a window,
// show a form and wait until it can take the focus, read pixels.

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <string>

#include "window/qt/ui/registry.h"
#include "window/ui/types.h"

namespace ui_test {

inline QWidget* WidgetOf(window::ui::HWND window) { return window::ui::qt::WidgetOf(window); }

// Shows the window and makes it the active one, so focus changes are real.
inline bool ShowActive(window::ui::HWND window) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return false;
    widget->show();
    widget->activateWindow();
    QApplication::setActiveWindow(widget);
    return QTest::qWaitForWindowActive(widget);
}

// The window as it paints now.
inline QImage Grab(window::ui::HWND window) {
    QWidget* widget = WidgetOf(window);
    return widget ? widget->grab().toImage().convertToFormat(QImage::Format_RGB32) : QImage();
}

inline QPoint Center(const window::ui::RECT& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

inline window::ui::COLORREF Pixel(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return window::ui::RGB(c.red(), c.green(), c.blue());
}

// Deletes what was handed to deleteLater, so counts are final.
inline void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace ui_test
