// The tooltips of the form controls: one system tooltip window per form
// ("tooltips_class32", owned by the form, so it goes with it), each control a
// tool identified by its own window (TTF_IDISHWND), which the tooltip window
// subclasses (TTF_SUBCLASS) to see the mouse over it. The text crosses in the
// ANSI code page; the tooltip window keeps a copy of it.
#include "window/win32/form/form_windows.h"

#include <string>

#include "window/ui/tooltip.h"
#include "window/ui/window.h"

namespace window::form::win32 {

namespace {

namespace sys = ui::win32;
// The system's tooltip messages are counted from WM_USER, which the
// vocabulary declares.
using ui::WM_USER;

::HWND FormOf(ui::HWND control) { return ::GetAncestor(sys::Native(control), ui::GA_ROOT); }

::TTTOOLINFOA ToolOf(::HWND owner, ::HWND control, char* text) {
    ::TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = ui::TTF_IDISHWND | ui::TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<::UINT_PTR>(control);
    tool.hinst = sys::Instance();
    tool.lpszText = text;
    return tool;
}

bool HasTool(::HWND toolTip, ::TTTOOLINFOA& tool) {
    return ::SendMessageA(toolTip, TTM_GETTOOLINFOA, 0, reinterpret_cast<::LPARAM>(&tool)) != 0;
}

}  // namespace

::HWND FormToolTip(ui::HWND control, bool make) {
    const ::HWND form = FormOf(control);
    ControlState* state = form ? StateOf(sys::Handle(form)) : nullptr;
    if (!state) return nullptr;
    if (state->toolTip && ::IsWindow(state->toolTip)) return state->toolTip;
    state->toolTip = nullptr;
    if (!make) return nullptr;
    sys::ToolkitClass();  // the common controls are ready
    state->toolTip = ::CreateWindowExA(ui::WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, ui::WS_POPUP | ui::TTS_ALWAYSTIP | ui::TTS_NOPREFIX,
                                       ui::CW_USEDEFAULT, ui::CW_USEDEFAULT, ui::CW_USEDEFAULT, ui::CW_USEDEFAULT, form,
                                       nullptr, sys::Instance(), nullptr);
    return state->toolTip;
}

void SetToolTip(ui::HWND control, std::wstring_view text) {
    const ::HWND native = sys::Native(control);
    if (!ui::IsWindow(control)) return;
    const ::HWND toolTip = FormToolTip(control, !text.empty());
    if (!toolTip) return;
    const ::HWND owner = ::GetAncestor(native, ui::GA_PARENT);
    std::string bytes = sys::AnsiText(text);
    // Asked without a buffer: the system would copy the tool's text into one.
    ::TTTOOLINFOA existing = ToolOf(owner, native, nullptr);
    const bool registered = HasTool(toolTip, existing);
    ::TTTOOLINFOA tool = ToolOf(owner, native, bytes.data());
    if (text.empty()) {
        if (registered) ::SendMessageA(toolTip, TTM_DELTOOLA, 0, reinterpret_cast<::LPARAM>(&tool));
    } else if (registered) {
        ::SendMessageA(toolTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<::LPARAM>(&tool));
    } else {
        ::SendMessageA(toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<::LPARAM>(&tool));
    }
}

}  // namespace window::form::win32
