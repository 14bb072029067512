#include "window/form/command_button.h"

#include <QPushButton>

#include "window/qt/form/form_widgets.h"

namespace window::form {

namespace {

using ButtonWidget = qt::LinkedWidget<QPushButton>;

ButtonWidget* WidgetOf(ui::HWND window) { return dynamic_cast<ButtonWidget*>(ui::qt::WidgetOf(window)); }

ui::HWND CreateButtonWindow(ui::HWND parent, std::wstring_view name, const Bounds& bounds, const std::wstring& caption) {
    auto* widget = new ButtonWidget(qt::ParentWidget(parent));
    widget->setText(ui::qt::ToQString(caption));
    widget->setAutoDefault(false);
    return qt::CreateControlWindow(widget, parent, qt::kButtonClassInfo, name, bounds);
}

}  // namespace

CommandButton::CommandButton(ui::HWND parent, std::wstring name, const Bounds& bounds, std::wstring caption)
    : Control(CreateButtonWindow(parent, name, bounds, caption), name), caption_(std::move(caption)) {
    if (ButtonWidget* widget = WidgetOf(Hwnd())) {
        QObject::connect(widget, &QPushButton::clicked, widget, [widget] {
            if (auto* button = dynamic_cast<CommandButton*>(widget->control)) button->Click.Raise();
        });
    }
}

void CommandButton::SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    if (ButtonWidget* widget = WidgetOf(Hwnd())) widget->setText(ui::qt::ToQString(caption_));
}

void CommandButton::SetDefault(bool isDefault) {
    default_ = isDefault;
    if (ButtonWidget* widget = WidgetOf(Hwnd())) widget->setDefault(isDefault);
}

void CommandButton::SetCancel(bool isCancel) { cancel_ = isCancel; }

}  // namespace window::form
