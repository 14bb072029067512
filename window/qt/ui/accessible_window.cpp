#include "window/qt/ui/accessible_window.h"

#include <QAccessible>
#include <QMenu>
#include <QWidget>

#include <algorithm>

#include "window/qt/ui/accessible_tab_strip.h"
#include "window/qt/ui/registry.h"
#include "window/qt/ui/text_drawing.h"
#include "window/qt/ui/window_classes.h"
#include "window/ui/accessibility.h"

namespace window::ui::qt {

namespace {

QAccessibleInterface* InterfaceOf(HWND window) {
    QWidget* widget = WidgetOf(window);
    return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

// Windows that show a text of their own are named by it even when it is
// empty: an empty value is not its caption.
bool NamedByOwnText(const QAccessibleInterface& window) {
    return window.role() == QAccessible::StaticText;
}

// The windows of window/ui's classes; the form controls have their own
// factory beside their widgets.
QAccessibleInterface* WindowClassFactory(const QString& /*className*/, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const WindowRecord* record = FindRecord(HandleOf(widget));
    if (!record) return nullptr;
    const WindowClassInfo* windowClass = record->windowClass;
    if (windowClass == &kTabStripClassInfo) return NewTabStripAccessible(widget);
    if (windowClass == &kStaticClassInfo) return new AccessibleWindow(widget, QAccessible::StaticText);
    if (windowClass == &kUserControlClassInfo) return new AccessibleWindow(widget, QAccessible::Pane);
    if (windowClass == &kToolTipClassInfo) return new AccessibleWindow(widget, QAccessible::ToolTip);
    return nullptr;
}

}  // namespace

HWND AccessibleWindow::Handle() const { return HandleOf(widget()); }

QString AccessibleWindow::OwnText() const {
    const WindowRecord* record = FindRecord(Handle());
    return record ? ParsePrefix(record->text, false).text : QString();
}

QString AccessibleWindow::text(QAccessible::Text kind) const {
    if (kind != QAccessible::Name || widget()->isWindow() || !widget()->accessibleName().isEmpty())
        return QAccessibleWidget::text(kind);
    const QString own = OwnText();
    if (!own.isEmpty() || NamedByOwnText(*this)) return own;
    // A scroll bar or a box without text of its own is named by its label.
    QAccessibleInterface* label = InterfaceOf(GetLabelledBy(Handle()));
    return label ? label->text(QAccessible::Name) : QString();
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>> AccessibleWindow::relations(QAccessible::Relation match) const {
    auto found = QAccessibleWidget::relations(match);
    const HWND self = Handle();
    if (!self) return found;
    if (match & QAccessible::Label) {
        if (QAccessibleInterface* label = InterfaceOf(GetLabelledBy(self))) found.append({label, QAccessible::Label});
    }
    if (match & QAccessible::Labelled) {
        for (const HWND window : AllWindows()) {
            if (GetLabelledBy(window) != self) continue;
            if (QAccessibleInterface* labelled = InterfaceOf(window)) found.append({labelled, QAccessible::Labelled});
        }
    }
    return found;
}

int AccessibleWindow::childCount() const { return static_cast<int>(ChildrenInReadingOrder(widget()).size()); }

QAccessibleInterface* AccessibleWindow::child(int index) const {
    const QList<QWidget*> children = ChildrenInReadingOrder(widget());
    if (index < 0 || index >= children.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(children.at(index));
}

int AccessibleWindow::indexOfChild(const QAccessibleInterface* child) const {
    if (!child || !child->object() || !child->object()->isWidgetType()) return -1;
    return static_cast<int>(ChildrenInReadingOrder(widget()).indexOf(static_cast<QWidget*>(child->object())));
}

// Lines, then left to right within a line. A line is the first window by
// top and every window whose middle lies within its height: an index box and
// its scroll bar stand a few pixels above their caption and still belong to
// its row. A menu open over the window comes last: the system leaves popups
// out of the application's windows, so a screen reader walking the window
// finds it here.
QList<QWidget*> ChildrenInReadingOrder(const QWidget* widget) {
    QList<QWidget*> children;
    QList<QWidget*> menus;
    if (!widget) return children;
    for (QObject* object : widget->children()) {
        if (!object->isWidgetType()) continue;
        auto* child = static_cast<QWidget*>(object);
        if (!child->isWindow()) children.append(child);
        else if (qobject_cast<QMenu*>(child) && child->isVisible()) menus.append(child);
    }
    std::stable_sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    for (auto line = children.begin(); line != children.end();) {
        const int top = (*line)->y();
        const int bottom = top + std::max(1, (*line)->height());
        const auto end = std::find_if(line, children.end(), [&](const QWidget* w) {
            const int middle = w->y() + w->height() / 2;
            return middle < top || middle >= bottom;
        });
        std::stable_sort(line, end, [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        line = end;
    }
    return children + menus;
}

void NotifyTextChanged(QWidget* widget) {
    if (!widget) return;
    QAccessibleEvent changed(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    // The windows it names are looked for only when someone hears them.
    const HWND self = HandleOf(widget);
    if (!self || !QAccessible::isActive()) return;
    for (const HWND window : AllWindows()) {
        if (GetLabelledBy(window) != self) continue;
        QAccessibleInterface* labelled = InterfaceOf(window);
        if (!labelled || NamedByOwnText(*labelled)) continue;
        QAccessibleEvent renamed(labelled, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
}

void EnsureAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&WindowClassFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace window::ui::qt

namespace window::ui {

bool SetLabelledBy(HWND window, HWND label) {
    qt::WindowRecord* record = qt::FindRecord(window);
    if (!record || (label && !qt::FindRecord(label))) return false;
    // A chain of labels that comes back to the window would name it by
    // itself (and send a name lookup round for ever): refused.
    for (HWND at = label; at; at = GetLabelledBy(at)) {
        if (at == window) return false;
    }
    record->labelledBy = label;
    QAccessibleEvent changed(record->widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    return true;
}

HWND GetLabelledBy(HWND window) {
    const qt::WindowRecord* record = qt::FindRecord(window);
    if (!record || !qt::FindRecord(record->labelledBy)) return nullptr;
    return record->labelledBy;
}

}  // namespace window::ui
