// The form controls as a screen reader sees them: a form is a window (a
// dialog when it has a dialog's border), a frame a group named by its
// caption, a label its caption as shown, an image a picture, a line a
// separator, a scroll bar a value between its ends. Command buttons are
// Qt's own push buttons and keep Qt's own accessibility.

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QScrollBar>

#include "window/form/frame.h"
#include "window/form/label.h"
#include "window/qt/form/form_widgets.h"
#include "window/qt/qt_bridge.h"

namespace window::form::qt {

namespace {

template <typename C>
const C* ControlOf(const QWidget* widget) {
    const auto* link = dynamic_cast<const ControlLink*>(widget);
    return link ? dynamic_cast<const C*>(link->control) : nullptr;
}

class AccessibleForm final : public ui::qt::AccessibleWindow {
public:
    explicit AccessibleForm(QWidget* widget) : AccessibleWindow(widget, QAccessible::Window) {}
    QAccessible::Role role() const override {
        return widget()->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window;
    }
};

class AccessibleFrame final : public ui::qt::AccessibleWindow {
public:
    explicit AccessibleFrame(QWidget* widget) : AccessibleWindow(widget, QAccessible::Grouping) {}

protected:
    QString OwnText() const override {
        const Frame* frame = ControlOf<Frame>(widget());
        return frame ? ui::qt::ParsePrefix(frame->Caption(), false).text : QString();
    }
};

class AccessibleLabel final : public ui::qt::AccessibleWindow {
public:
    explicit AccessibleLabel(QWidget* widget) : AccessibleWindow(widget, QAccessible::StaticText) {}

protected:
    // As the label draws it: with UseMnemonic off, "&" is a character.
    QString OwnText() const override {
        const Label* label = ControlOf<Label>(widget());
        return label ? ui::qt::ParsePrefix(label->Caption(), !label->UseMnemonic()).text : QString();
    }
};

class AccessibleScrollBar final : public ui::qt::AccessibleWindow, public QAccessibleValueInterface {
public:
    explicit AccessibleScrollBar(QWidget* widget) : AccessibleWindow(widget, QAccessible::ScrollBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return AccessibleWindow::interface_cast(type);
    }

    QVariant currentValue() const override { return Bar()->value(); }
    // As the user moving it: Change follows.
    void setCurrentValue(const QVariant& value) override {
        if (Bar()->isEnabled()) Bar()->setValue(value.toInt());
    }
    QVariant maximumValue() const override { return Bar()->maximum(); }
    QVariant minimumValue() const override { return Bar()->minimum(); }
    QVariant minimumStepSize() const override { return Bar()->singleStep(); }

private:
    QScrollBar* Bar() const { return static_cast<QScrollBar*>(widget()); }
};

QAccessibleInterface* ControlFactory(const QString& /*className*/, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const ui::qt::WindowRecord* record = ui::qt::FindRecord(ui::qt::HandleOf(widget));
    if (!record) return nullptr;
    const ui::qt::WindowClassInfo* windowClass = record->windowClass;
    if (windowClass == &kFormClassInfo) return new AccessibleForm(widget);
    if (windowClass == &kFrameClassInfo) return new AccessibleFrame(widget);
    if (windowClass == &kLabelClassInfo) return new AccessibleLabel(widget);
    if (windowClass == &kImageClassInfo) return new ui::qt::AccessibleWindow(widget, QAccessible::Graphic);
    if (windowClass == &kLineClassInfo) return new ui::qt::AccessibleWindow(widget, QAccessible::Separator);
    if (windowClass == &kScrollBarClassInfo && qobject_cast<QScrollBar*>(widget)) return new AccessibleScrollBar(widget);
    return nullptr;
}

}  // namespace

void EnsureControlAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&ControlFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace window::form::qt
