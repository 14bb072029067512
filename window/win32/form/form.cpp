// A form is a top-level window of the toolkit's class. Closing it asks
// QueryUnload, then hides it; the application ends when no form is left on
// the screen. Enter and Escape press the default and cancel buttons: the
// dialog manager of the message loop sends them as IDOK and IDCANCEL.
#include "window/win32/form/form_windows.h"

#include "window/form/form.h"

#include <algorithm>

#include "window/form/command_button.h"
#include "window/form/internal/side.h"
#include "window/ui/dialogs.h"
#include "window/ui/window.h"
#include "window/win32/ui/picture_impl.h"

namespace window::form {

namespace {

using ui::win32::Native;

Form* FormOf(ui::HWND window) {
    win32::ControlState* state = win32::StateOf(window);
    return state ? state->form : nullptr;
}

bool AnyFormShown() {
    bool shown = false;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](::HWND window, ::LPARAM found) -> ::BOOL {
        if (win32::StateOf(ui::win32::Handle(window)) && FormOf(ui::win32::Handle(window)) && ::IsWindowVisible(window)) {
            *reinterpret_cast<bool*>(found) = true;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<::LPARAM>(&shown));
    return shown;
}

// The visible, enabled button of the form that Enter (default) or Escape
// (cancel) presses.
CommandButton* ButtonFor(ui::HWND form, bool isDefault) {
    struct Search {
        bool isDefault;
        CommandButton* found = nullptr;
    } search{isDefault};
    ::EnumChildWindows(Native(form), [](::HWND child, ::LPARAM data) -> ::BOOL {
        auto& wanted = *reinterpret_cast<Search*>(data);
        win32::ControlState* state = win32::StateOf(ui::win32::Handle(child));
        auto* button = state ? dynamic_cast<CommandButton*>(state->control) : nullptr;
        if (!button || !::IsWindowVisible(child) || !::IsWindowEnabled(child)) return TRUE;
        if (wanted.isDefault ? button->Default() : button->Cancel()) {
            wanted.found = button;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<::LPARAM>(&search));
    return search.found;
}

ui::LRESULT FormProcedure(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    Form* form = FormOf(window);
    switch (message) {
        case ui::WM_CLOSE: {
            if (!form) return ui::DefWindowProc(window, message, wParam, lParam);
            bool cancel = false;
            form->QueryUnload.Raise(cancel);
            if (cancel || !ui::IsWindow(window)) return 0;
            form->Unloaded.Raise();
            if (ui::IsWindow(window)) form->Hide();
            if (!AnyFormShown()) ::PostQuitMessage(0);
            return 0;
        }
        case WM_COMMAND:
            if (lParam == 0 && (ui::LOWORD(wParam) == ui::IDOK || ui::LOWORD(wParam) == ui::IDCANCEL)) {
                if (CommandButton* button = ButtonFor(window, ui::LOWORD(wParam) == ui::IDOK)) button->Click.Raise();
                return 0;
            }
            return ui::DefWindowProc(window, message, wParam, lParam);
        default: return ui::DefWindowProc(window, message, wParam, lParam);
    }
}

std::uint32_t WindowStyleOf(const FormStyle& style) {
    if (style.border == BorderStyle::None) return ui::WS_POPUP | WS_CLIPSIBLINGS;
    std::uint32_t bits = WS_OVERLAPPED | WS_CAPTION | ui::WS_SYSMENU;
    if (style.border == BorderStyle::Sizable) bits |= ui::WS_THICKFRAME;
    if (style.border != BorderStyle::FixedDialog) {
        if (style.minButton) bits |= ui::WS_MINIMIZEBOX;
        if (style.maxButton && style.border == BorderStyle::Sizable) bits |= ui::WS_MAXIMIZEBOX;
    }
    return bits;
}

std::uint32_t ExStyleOf(const FormStyle& style) {
    return WS_EX_CONTROLPARENT | (style.border == BorderStyle::FixedDialog ? WS_EX_DLGMODALFRAME : 0);
}

// Text measured in a stored font on the screen.
::SIZE Measure(const ui::StdFont& font, std::wstring_view text) {
    const ::HDC dc = ::GetDC(nullptr);
    const ::HFONT made = win32::CreateFontFor(font);
    const ::HGDIOBJ previous = ::SelectObject(dc, made);
    const std::string bytes = ui::win32::AnsiText(text);
    ::SIZE size{0, 0};
    ::GetTextExtentPoint32A(dc, bytes.c_str(), static_cast<int>(bytes.size()), &size);
    ::TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    size.cy = metrics.tmHeight;
    ::SelectObject(dc, previous);
    ::DeleteObject(made);
    ::ReleaseDC(nullptr, dc);
    return size;
}

}  // namespace

namespace side {

ui::HWND CreateFormWindow(Form* form, const std::wstring& name, const FormStyle& style) {
    const ui::HWND window = ui::win32::CreateSystemWindow(
        L"VeltrixForm", ui::win32::ToolkitClass(), ExStyleOf(style), L"", WindowStyleOf(style), ui::CW_USEDEFAULT,
        ui::CW_USEDEFAULT, ui::CW_USEDEFAULT, ui::CW_USEDEFAULT, nullptr, 0, name, &FormProcedure, false);
    if (ui::win32::WindowRecord* record = ui::win32::RecordOf(window)) {
        auto state = std::make_shared<win32::ControlState>();
        state->form = form;
        record->controlState = state;
    }
    return window;
}

void ForgetForm(ui::HWND window) {
    if (win32::ControlState* state = win32::StateOf(window)) state->form = nullptr;
}

}  // namespace side

void Form::SetIcon(const ui::Picture& icon) {
    icon_ = icon;
    const ui::Picture::Impl* impl = icon.impl();
    const ::HICON handle = impl ? impl->icon : nullptr;
    ::SendMessageA(Native(window_), WM_SETICON, ICON_SMALL, reinterpret_cast<::LPARAM>(handle));
    ::SendMessageA(Native(window_), WM_SETICON, ICON_BIG, reinterpret_cast<::LPARAM>(handle));
}

int Form::ClientWidth() const {
    ui::RECT area;
    return ui::GetClientRect(window_, area) ? area.Width() : 0;
}

int Form::ClientHeight() const {
    ui::RECT area;
    return ui::GetClientRect(window_, area) ? area.Height() : 0;
}

void Form::SetClientSize(int width, int height) {
    if (!ui::IsWindow(window_)) return;
    ::RECT outer{0, 0, ui::win32::ScaleToScreen(width), ui::win32::ScaleToScreen(height)};
    ::AdjustWindowRectEx(&outer, static_cast<::DWORD>(ui::GetWindowLongPtr(window_, ui::GWL_STYLE)), FALSE,
                         static_cast<::DWORD>(ui::GetWindowLongPtr(window_, ui::GWL_EXSTYLE)));
    ::SetWindowPos(Native(window_), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::Left() const {
    ui::RECT place;
    return ui::GetWindowRect(window_, place) ? place.left : 0;
}

int Form::Top() const {
    ui::RECT place;
    return ui::GetWindowRect(window_, place) ? place.top : 0;
}

void Form::Move(int left, int top) {
    ::SetWindowPos(Native(window_), nullptr, ui::win32::ScaleToScreen(left), ui::win32::ScaleToScreen(top), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetMousePointer(MousePointer pointer) {
    pointer_ = pointer;
    if (ui::win32::WindowRecord* record = ui::win32::RecordOf(window_)) record->cursor = win32::CursorOf(pointer);
    ::POINT at;
    ::GetCursorPos(&at);
    ::SetCursorPos(at.x, at.y);  // the pointer changes now, not at the next move
}

int Form::TextWidth(std::wstring_view text) const { return ui::win32::ScaleToDesign(Measure(font_, text).cx); }

int Form::TextHeight(std::wstring_view text) const {
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), L'\n')) + 1;
    return ui::win32::ScaleToDesign(lines * Measure(font_, L"X").cy);
}

void Form::Show() {
    ui::ShowWindow(window_, ui::SW_SHOW);
    ::SetForegroundWindow(Native(window_));
}

void Form::ShowModal(ui::HWND owner) {
    win32::ControlState* state = win32::StateOf(window_);
    if (!state) return;
    const ::HWND ownerWindow = owner ? ::GetAncestor(Native(owner), ui::GA_ROOT) : nullptr;
    const ::HWND focus = ::GetFocus();
    if (ownerWindow) {
        ::SetWindowLongPtrA(Native(window_), GWLP_HWNDPARENT, reinterpret_cast<::LONG_PTR>(ownerWindow));
        // Centred client area over client area.
        ::RECT ownerArea;
        ::GetClientRect(ownerWindow, &ownerArea);
        ::MapWindowPoints(ownerWindow, nullptr, reinterpret_cast<::POINT*>(&ownerArea), 2);
        ::RECT own;
        ::RECT client;
        ::GetWindowRect(Native(window_), &own);
        ::GetClientRect(Native(window_), &client);
        ::POINT clientOrigin{0, 0};
        ::ClientToScreen(Native(window_), &clientOrigin);
        const int left = (ownerArea.left + ownerArea.right) / 2 - client.right / 2 - (clientOrigin.x - own.left);
        const int top = (ownerArea.top + ownerArea.bottom) / 2 - client.bottom / 2 - (clientOrigin.y - own.top);
        ::SetWindowPos(Native(window_), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::EnableWindow(ownerWindow, FALSE);
    }
    state->modalRunning = true;
    Show();
    ui::win32::RunModalLoop(state->modalRunning);
    if (ownerWindow) {
        ::EnableWindow(ownerWindow, TRUE);
        ::SetActiveWindow(ownerWindow);
    }
    // The keyboard goes back to the control that had it.
    if (focus && ::IsWindow(focus)) ::SetFocus(focus);
}

void Form::Hide() {
    ui::ShowWindow(window_, ui::SW_HIDE);
    if (win32::ControlState* state = win32::StateOf(window_)) state->modalRunning = false;
}

void Form::Unload() { ui::SendMessage(window_, ui::WM_CLOSE, 0, 0); }

bool Form::Visible() const { return ui::IsWindowVisible(window_); }

ui::StdFont AmbientFont(ui::HWND window) {
    const ui::HWND root = ui::GetAncestor(window, ui::GA_ROOT);
    const Form* form = FormOf(root ? root : window);
    return form ? form->Font() : ui::StdFont{};
}

}  // namespace window::form
