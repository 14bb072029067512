// The test hook that lists every window of the program, as the Win32 side
// does (window/win32/ui/window_list.cpp): once the first form has been
// painted, one line per toolkit window, parents before children, in the
// line format both sides share.
#include "window/qt/ui/window_list.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <string>

#include "window/qt/ui/registry.h"
#include "window/ui/internal/window_list_line.h"
#include "window/ui/window.h"

namespace window::ui::qt {

namespace {

// The window's text; for the form's labels and frames, whose captions are
// the controls' own on this side rather than their windows' texts, the
// caption as the accessibility names it (on the system's side they are
// statics that carry their caption as their text).
std::wstring TextOf(HWND window, QWidget* widget) {
    std::wstring text = GetWindowText(window);
    const std::wstring className = GetClassName(window);
    if (!text.empty() || (className != L"VeltrixLabel" && className != L"VeltrixFrame")) return text;
    const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name).toStdWString() : std::wstring();
}

void ListWindows(QWidget* widget, const QWidget* form, std::string& lines) {
    if (const HWND window = HandleOf(widget)) {
        RECT area{0, 0, widget->width(), widget->height()};
        // The form's own line is its client area, as on the other side.
        if (widget != form) {
            const QPoint at = widget->mapTo(form, QPoint(0, 0));
            area = RECT{at.x(), at.y(), at.x() + widget->width(), at.y() + widget->height()};
        }
        lines += WindowListLine(widget->objectName().toStdWString(), GetClassName(window), area,
                                widget->isVisible(), TextOf(window, widget));
    }
    for (QObject* child : widget->children())
        if (auto* childWidget = qobject_cast<QWidget*>(child)) ListWindows(childWidget, form, lines);
}

void WriteWindowList(QWidget* form) {
    std::string lines;
    ListWindows(form, form, lines);
    WriteWindowListFile(WindowListPath(), lines);
}

// Sees the first paint of a form (a shown top-level toolkit window) and
// writes the list once that paint is done.
class FirstPaintWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && widget->isWindow() && HandleOf(widget)) {
            QApplication::instance()->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this, form = QPointer<QWidget>(widget)] {
                    if (form) WriteWindowList(form);
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

}  // namespace

void WatchForWindowList() {
    if (!WindowListPath()) return;
    QApplication::instance()->installEventFilter(new FirstPaintWatch(QApplication::instance()));
}

}  // namespace window::ui::qt
