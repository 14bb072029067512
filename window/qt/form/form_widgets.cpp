#include "window/qt/form/form_widgets.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>

#include "window/form/command_button.h"
#include "window/form/form.h"
#include "window/ui/gdi.h"
#include "window/qt/qt_bridge.h"
#include "window/ui/window.h"

namespace window::form::qt {

namespace {

constexpr int kPointsPerInch = 72;

}  // namespace

const ui::qt::WindowClassInfo kFormClassInfo{.name = L"VeltrixForm", .procedure = &ui::DefWindowProc};
const ui::qt::WindowClassInfo kFrameClassInfo{.name = L"VeltrixFrame", .procedure = &ui::DefWindowProc};
const ui::qt::WindowClassInfo kLabelClassInfo{.name = L"VeltrixLabel", .procedure = &ui::DefWindowProc};
const ui::qt::WindowClassInfo kScrollBarClassInfo{.name = L"ScrollBar", .procedure = &ui::DefWindowProc};
const ui::qt::WindowClassInfo kLineClassInfo{.name = L"VeltrixLine", .procedure = &ui::DefWindowProc};
const ui::qt::WindowClassInfo kImageClassInfo{.name = L"VeltrixImage", .procedure = &ui::DefWindowProc};
const ui::qt::WindowClassInfo kButtonClassInfo{.name = L"Button", .procedure = &ui::DefWindowProc};

// Labels and images answer the left button only; other buttons go on to
// the container, so a right click on a header's text is one on the header.
void ClickableWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    pressed_ = true;
}

void ClickableWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    const bool click = pressed_ && !afterDoubleClick_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    afterDoubleClick_ = false;
    if (click && onClick) onClick();
}

void ClickableWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    afterDoubleClick_ = true;
    if (onDblClick) onDblClick();
}

void FormWidget::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    if (form_) form_->QueryUnload.Raise(cancel);
    if (cancel) {
        event->ignore();
        return;
    }
    event->accept();
    if (form_) form_->Unloaded.Raise();
}

void FormWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (modalLoop && !event->spontaneous()) modalLoop->quit();
}

void FormWidget::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool escape = event->key() == Qt::Key_Escape;
    if ((enter || escape) && form_ && event->modifiers() == Qt::NoModifier) {
        for (QWidget* child : findChildren<QWidget*>()) {
            auto* link = dynamic_cast<ControlLink*>(child);
            auto* button = link ? dynamic_cast<CommandButton*>(link->control) : nullptr;
            if (!button || !child->isVisible() || !child->isEnabled()) continue;
            if ((enter && button->Default()) || (escape && button->Cancel())) {
                button->Click.Raise();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

QWidget* ParentWidget(ui::HWND parent) { return ui::qt::WidgetOf(parent); }

ui::HWND CreateControlWindow(QWidget* widget, ui::HWND parent, const ui::qt::WindowClassInfo& windowClass,
                             std::wstring_view name, const Bounds& bounds) {
    if (!ParentWidget(parent)) {
        delete widget;
        return nullptr;
    }
    EnsureControlAccessibility();
    const ui::HWND window = ui::qt::RegisterWindow(widget, windowClass, ui::WS_CHILD | ui::WS_VISIBLE);
    widget->setObjectName(ui::qt::ToQString(name));
    widget->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
    widget->show();
    return window;
}

QFont FontFor(const ui::StdFont& font, const QPaintDevice* device) {
    const int dotsPerInch = device ? device->logicalDpiY() : kPointsPerInch;
    ui::LOGFONT log = ui::LogFontFromStdFont(font, dotsPerInch);
    log.lfHeight = -static_cast<int>(std::lround(font.size * dotsPerInch / kPointsPerInch));
    return ui::qt::MakeQFont(log);
}

QColor ColorOf(ui::OLE_COLOR color) {
    ui::COLORREF rgb = 0;
    if (ui::OleTranslateColor(color, 0, &rgb) != ui::S_OK) return Qt::black;
    return ui::qt::ToQColor(rgb);
}

Qt::CursorShape CursorOf(MousePointer pointer) {
    switch (pointer) {
        case MousePointer::Arrow: return Qt::ArrowCursor;
        case MousePointer::Hourglass: return Qt::WaitCursor;
        case MousePointer::Hand: return Qt::PointingHandCursor;
        case MousePointer::IBeam: return Qt::IBeamCursor;
        case MousePointer::Default: break;
    }
    return Qt::ArrowCursor;
}

}  // namespace window::form::qt
