// A label with a tab stop on this system. The system's static takes the
// focus where the dialog manager's Tab (WS_TABSTOP) gives it, but it draws
// no focus mark, takes no focus from a click and copies nothing: the label
// does these itself. The mark is the system's focus rectangle around the
// caption's line, inside the label's box, drawn once the static has painted
// (the system paints its own controls outside the toolkit's chain).
#include "window/win32/form/form_windows.h"

#include "window/form/label.h"
#include "window/ui/gdi.h"
#include "window/ui/internal/focus_marks.h"
#include "window/ui/window.h"

#include <algorithm>
#include <string>

namespace window::form::win32 {

namespace {

constexpr int kMarkPadding = 2;

const Label* TabStopLabel(ui::HWND window) {
    const ControlState* state = StateOf(window);
    const auto* label = state ? dynamic_cast<const Label*>(state->control) : nullptr;
    return label && label->TabStop() ? label : nullptr;
}

// The caption's width on one line in the label's own font, in screen pixels.
int ShownTextWidth(::HWND window, const Label& label) {
    const ::HDC dc = ::GetDC(window);
    const ::HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<::HFONT>(::SendMessageA(window, ui::WM_GETFONT, 0, 0)));
    const std::string text = ui::win32::AnsiText(label.Caption());
    ::RECT area{0, 0, 0, 0};
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
                ui::DT_CALCRECT | ui::DT_SINGLELINE | (label.UseMnemonic() ? 0u : ui::DT_NOPREFIX));
    ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
    return area.right - area.left;
}

void DrawFocusMark(::HWND window, const Label& label) {
    ::RECT client;
    ::GetClientRect(window, &client);
    const int height = static_cast<int>(client.bottom - client.top);
    const int boxWidth = static_cast<int>(client.right - client.left);
    const int width = std::clamp(ShownTextWidth(window, label) + 2 * kMarkPadding, std::min(height, boxWidth), boxWidth);
    int left = 0;
    if (label.GetAlignment() == Alignment::Center) left = (boxWidth - width) / 2;
    else if (label.GetAlignment() == Alignment::Right) left = boxWidth - width;
    const ::RECT mark{left, 0, left + width, height};
    const ::HDC dc = ::GetDC(window);
    ::DrawFocusRect(dc, &mark);
    ::ReleaseDC(window, dc);
}

bool ControlHeld() { return (::GetKeyState(ui::VK_CONTROL) & 0x8000) != 0; }

}  // namespace

void PaintFocusMark(ui::HWND window) {
    if (const Label* label = TabStopLabel(window); label && label->ShowsFocusMark())
        DrawFocusMark(ui::win32::Native(window), *label);
}

std::optional<ui::LRESULT> LabelFocusMessage(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM /*lParam*/) {
    const Label* label = TabStopLabel(window);
    if (!label) return std::nullopt;
    switch (message) {
        case ui::WM_LBUTTONDOWN:
            ui::SetFocus(window);
            return std::nullopt;  // and clicked as ever
        case ui::WM_SETFOCUS:
        case ui::WM_KILLFOCUS:
            // The mark comes and goes over what lies beneath the label.
            RepaintThrough(window);
            return std::nullopt;
        case ui::WM_KEYDOWN:
            if (static_cast<int>(wParam) != ui::kCopyKey || !ControlHeld()) return std::nullopt;
            label->Copy();
            return 0;
        case WM_COPY:
            label->Copy();
            return 0;
        default:
            return std::nullopt;
    }
}

}  // namespace window::form::win32
