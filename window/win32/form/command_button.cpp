// A command button is the system's BUTTON. Its click arrives at the parent
// as WM_COMMAND (BN_CLICKED), which the button answers itself; Enter and
// Escape reach the form's default and cancel buttons through the dialog
// manager (form.cpp).
#include "window/win32/form/form_windows.h"

#include "window/form/command_button.h"

#include "window/form/form.h"
#include "window/ui/window.h"

namespace window::form {

namespace {

ui::HWND CreateButtonWindow(ui::HWND parent, std::wstring_view name, const Bounds& bounds) {
    const ui::HWND window = win32::CreateControlWindow(L"Button", "Button", BS_PUSHBUTTON | ui::WS_TABSTOP, 0, parent,
                                                       name, bounds, &ui::DefWindowProc, true);
    if (ui::win32::WindowRecord* record = ui::win32::RecordOf(window)) {
        record->reflect = [window](::UINT message, ::WPARAM wParam, ::LPARAM) -> std::optional<ui::LRESULT> {
            if (message != WM_COMMAND || ui::HIWORD(wParam) != BN_CLICKED) return std::nullopt;
            win32::ControlState* state = win32::StateOf(window);
            if (auto* button = state ? dynamic_cast<CommandButton*>(state->control) : nullptr) button->Click.Raise();
            return 0;
        };
    }
    return window;
}

}  // namespace

CommandButton::CommandButton(ui::HWND parent, std::wstring name, const Bounds& bounds, std::wstring caption)
    : Control(CreateButtonWindow(parent, name, bounds), name), caption_(std::move(caption)) {
    ui::SetWindowText(Hwnd(), caption_);
    win32::SetControlFont(Hwnd(), AmbientFont(parent));
}

void CommandButton::SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    ui::SetWindowText(Hwnd(), caption_);
}

void CommandButton::SetDefault(bool isDefault) {
    default_ = isDefault;
    const auto style = static_cast<std::uint32_t>(ui::GetWindowLongPtr(Hwnd(), ui::GWL_STYLE)) & ~0xFu;
    ui::SetWindowLongPtr(Hwnd(), ui::GWL_STYLE, static_cast<std::intptr_t>(style | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)));
}

void CommandButton::SetCancel(bool isCancel) { cancel_ = isCancel; }

}  // namespace window::form
