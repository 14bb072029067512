#pragma once
// Internal: the widgets behind the form-engine controls, and what they share.

#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include <functional>

#include "window/form/control.h"
#include "window/qt/qt_bridge.h"
#include "window/ui/stdfont.h"

class QEventLoop;

namespace window::form {
class Form;
}

namespace window::form::qt {

// A widget's way back to the control that made it; cleared when the control
// goes, so a widget deleted later never calls into it.
struct ControlLink {
    virtual ~ControlLink() = default;
    Control* control = nullptr;
};

template <typename W>
class LinkedWidget : public ui::qt::Hosted<W>, public ControlLink {
public:
    using ui::qt::Hosted<W>::Hosted;
};

// Click and double click as a form's controls raise them: Click when the
// left button is released over the control, DblClick instead of the second
// Click of a double click.
class ClickableWidget : public LinkedWidget<QWidget> {
public:
    using LinkedWidget<QWidget>::LinkedWidget;
    std::function<void()> onClick;
    std::function<void()> onDblClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
    bool afterDoubleClick_ = false;
};

class FormWidget : public ui::qt::Hosted<QWidget> {
public:
    explicit FormWidget(Form* form) : form_(form) {}
    Form* form_;
    QEventLoop* modalLoop = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// Gives a new widget its window: registered under `windowClass`, named,
// placed and shown. Null (and the widget deleted) when the parent is no window.
ui::HWND CreateControlWindow(QWidget* widget, ui::HWND parent, const ui::qt::WindowClassInfo& windowClass,
                             std::wstring_view name, const Bounds& bounds);
QWidget* ParentWidget(ui::HWND parent);
// Installs the form controls' accessibility (accessible_controls.cpp); once.
void EnsureControlAccessibility();

// A stored font at its exact size: a form's controls do not round points.
QFont FontFor(const ui::StdFont& font, const QPaintDevice* device);
// An OLE_COLOR in RGB; black when it names no colour.
QColor ColorOf(ui::OLE_COLOR color);
Qt::CursorShape CursorOf(MousePointer pointer);

extern const ui::qt::WindowClassInfo kFormClassInfo;
extern const ui::qt::WindowClassInfo kFrameClassInfo;
extern const ui::qt::WindowClassInfo kLabelClassInfo;
extern const ui::qt::WindowClassInfo kScrollBarClassInfo;
extern const ui::qt::WindowClassInfo kLineClassInfo;
extern const ui::qt::WindowClassInfo kImageClassInfo;
extern const ui::qt::WindowClassInfo kButtonClassInfo;

}  // namespace window::form::qt
