#include "window/form/form.h"

#include <QEventLoop>
#include <QFontMetrics>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include <algorithm>

#include "window/form/internal/side.h"
#include "window/qt/form/form_widgets.h"
#include "window/qt/qt_bridge.h"
#include "window/ui/window.h"

namespace window::form {

namespace {

qt::FormWidget* WidgetOf(ui::HWND window) { return dynamic_cast<qt::FormWidget*>(ui::qt::WidgetOf(window)); }

Qt::WindowFlags FlagsOf(const FormStyle& style) {
    Qt::WindowFlags flags = (style.border == BorderStyle::FixedDialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint;
    if (style.border == BorderStyle::None) return flags | Qt::FramelessWindowHint;
    flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style.border != BorderStyle::FixedDialog) {
        if (style.minButton) flags |= Qt::WindowMinimizeButtonHint;
        if (style.maxButton && style.border == BorderStyle::Sizable) flags |= Qt::WindowMaximizeButtonHint;
    }
    return flags;
}

std::uint32_t WindowStyleOf(const FormStyle& style) {
    if (style.border == BorderStyle::None) return 0;
    std::uint32_t bits = ui::WS_SYSMENU;
    if (style.border == BorderStyle::Sizable) bits |= ui::WS_THICKFRAME;
    if (style.border != BorderStyle::FixedDialog) {
        if (style.minButton) bits |= ui::WS_MINIMIZEBOX;
        if (style.maxButton && style.border == BorderStyle::Sizable) bits |= ui::WS_MAXIMIZEBOX;
    }
    return bits;
}

}  // namespace

namespace side {

ui::HWND CreateFormWindow(Form* form, const std::wstring& name, const FormStyle& style) {
    qt::EnsureControlAccessibility();
    auto* widget = new qt::FormWidget(form);
    widget->setWindowFlags(FlagsOf(style));
    widget->setObjectName(ui::qt::ToQString(name));
    widget->setAutoFillBackground(true);
    return ui::qt::RegisterWindow(widget, qt::kFormClassInfo, WindowStyleOf(style));
}

void ForgetForm(ui::HWND window) {
    if (qt::FormWidget* widget = WidgetOf(window)) widget->form_ = nullptr;
}

}  // namespace side

void Form::SetIcon(const ui::Picture& icon) {
    icon_ = icon;
    if (QWidget* widget = WidgetOf(window_)) {
        widget->setWindowIcon(icon.IsEmpty() ? QIcon() : QIcon(QPixmap::fromImage(ui::qt::ImageOf(icon))));
    }
}

int Form::ClientWidth() const {
    const QWidget* widget = WidgetOf(window_);
    return widget ? widget->width() : 0;
}

int Form::ClientHeight() const {
    const QWidget* widget = WidgetOf(window_);
    return widget ? widget->height() : 0;
}

void Form::SetClientSize(int width, int height) {
    QWidget* widget = WidgetOf(window_);
    if (!widget) return;
    if (impl_->style.border == BorderStyle::Sizable) widget->resize(width, height);
    else widget->setFixedSize(width, height);
}

int Form::Left() const {
    const QWidget* widget = WidgetOf(window_);
    return widget ? widget->x() : 0;
}

int Form::Top() const {
    const QWidget* widget = WidgetOf(window_);
    return widget ? widget->y() : 0;
}

void Form::Move(int left, int top) {
    if (QWidget* widget = WidgetOf(window_)) widget->move(left, top);
}

void Form::SetMousePointer(MousePointer pointer) {
    pointer_ = pointer;
    QWidget* widget = WidgetOf(window_);
    if (!widget) return;
    if (pointer == MousePointer::Default) widget->unsetCursor();
    else widget->setCursor(qt::CursorOf(pointer));
}

int Form::TextWidth(std::wstring_view text) const {
    const QWidget* widget = WidgetOf(window_);
    return QFontMetrics(qt::FontFor(font_, widget), widget).horizontalAdvance(ui::qt::ToQString(text));
}

int Form::TextHeight(std::wstring_view text) const {
    const QWidget* widget = WidgetOf(window_);
    const QFontMetrics metrics(qt::FontFor(font_, widget), widget);
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), L'\n')) + 1;
    return lines * metrics.height();
}

void Form::Show() { ui::ShowWindow(window_, ui::SW_SHOW); }

void Form::ShowModal(ui::HWND owner) {
    qt::FormWidget* widget = WidgetOf(window_);
    if (!widget) return;
    QWidget* ownerWindow = ui::qt::WidgetOf(owner) ? ui::qt::WidgetOf(owner)->window() : nullptr;
    if (ownerWindow && widget->parentWidget() != ownerWindow) {
        const Qt::WindowFlags flags = widget->windowFlags();
        widget->setParent(ownerWindow, flags);
    }
    // Centred client area over client area; the frame's offset is known once
    // the window is shown, so it is placed again then.
    const auto centre = [&] {
        if (!ownerWindow) return;
        const QPoint clientTopLeft = ownerWindow->geometry().center() - QPoint(widget->width() / 2, widget->height() / 2);
        widget->move(clientTopLeft - (widget->geometry().topLeft() - widget->pos()));
    };
    centre();
    widget->setWindowModality(Qt::ApplicationModal);
    widget->show();
    centre();
    const ui::qt::FocusReturn focusReturn(ownerWindow);
    QEventLoop loop;
    widget->modalLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    if (qt::FormWidget* still = WidgetOf(window_)) {
        still->modalLoop = nullptr;
        still->setWindowModality(Qt::NonModal);
    }
}

void Form::Hide() { ui::ShowWindow(window_, ui::SW_HIDE); }

void Form::Unload() {
    if (QWidget* widget = WidgetOf(window_)) widget->close();
}

bool Form::Visible() const {
    const QWidget* widget = WidgetOf(window_);
    return widget && widget->isVisible();
}

ui::StdFont AmbientFont(ui::HWND window) {
    QWidget* widget = ui::qt::WidgetOf(window);
    auto* form = widget ? dynamic_cast<qt::FormWidget*>(widget->window()) : nullptr;
    if (form && form->form_) return form->form_->Font();
    return ui::StdFont{};
}

}  // namespace window::form
