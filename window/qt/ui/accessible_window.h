#pragma once
// Internal: the windows of the toolkit as Qt's accessibility (AT-SPI on
// Linux) shows them to a screen reader. AccessibleWindow is what every
// window of the toolkit has in common: its name is its own text, or else
// the text of the window that labels it (SetLabelledBy); the label relation
// runs both ways; its children are read from top to bottom, then left to
// right. The classes of windows/ui (static, user control, tab strip) and of
// the form controls give it their roles.

#include <QAccessibleWidget>
#include <QString>

#include "window/ui/types.h"

namespace window::ui::qt {

class AccessibleWindow : public QAccessibleWidget {
public:
    AccessibleWindow(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text kind) const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

protected:
    HWND Handle() const;
    // The text the window shows, access-key markers taken out; the window
    // text unless a class knows better (a label's caption).
    virtual QString OwnText() const;
};

// The children of `widget` in reading order: by top, then by left, windows
// made earlier first where both are equal. Top-level windows (menus,
// dialogs, tooltips) are not children.
QList<QWidget*> ChildrenInReadingOrder(const QWidget* widget);

// Announces that the window's text changed, and with it the name of every
// window it labels that has no text of its own. Qt passes it on only while
// a screen reader listens.
void NotifyTextChanged(QWidget* widget);

// Installs the toolkit's accessibility for the classes of window/ui; once.
void EnsureAccessibility();

}  // namespace window::ui::qt
