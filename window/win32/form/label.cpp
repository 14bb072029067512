// A label is the system's STATIC window: its text is the caption (the
// system's accessibility reads it), wrapped at the width, "&" marking the
// access key unless SS_NOPREFIX; the system greys it when disabled. Colours
// come from the parent's WM_CTLCOLORSTATIC, which the label answers itself.
#include "window/win32/form/form_windows.h"

#include "window/form/label.h"

#include "window/form/form.h"
#include "window/ui/gdi.h"
#include "window/ui/window.h"

namespace window::form {

namespace {

constexpr std::uint32_t kAlignmentStyles = ui::SS_LEFT | ui::SS_CENTER | ui::SS_RIGHT;

std::uint32_t AlignmentStyle(Alignment alignment) {
    switch (alignment) {
        case Alignment::Center: return ui::SS_CENTER;
        case Alignment::Right: return ui::SS_RIGHT;
        default: return ui::SS_LEFT;
    }
}

std::optional<ui::LRESULT> AnswerColour(ui::HWND window, ::UINT message, ::WPARAM wParam) {
    if (message != WM_CTLCOLORSTATIC) return std::nullopt;
    win32::ControlState* state = win32::StateOf(window);
    const auto* label = state ? dynamic_cast<const Label*>(state->control) : nullptr;
    if (!label) return std::nullopt;
    const auto dc = reinterpret_cast<::HDC>(wParam);
    if (::IsWindowEnabled(ui::win32::Native(window))) ::SetTextColor(dc, win32::ColorOf(label->ForeColor()));
    if (label->GetBackStyle() == BackStyle::Transparent) {
        ::SetBkMode(dc, ui::TRANSPARENT);
        return reinterpret_cast<ui::LRESULT>(::GetStockObject(NULL_BRUSH));
    }
    const ::COLORREF back = win32::ColorOf(label->BackColor());
    ::SetBkColor(dc, back);
    if (state->brush) ::DeleteObject(state->brush);
    state->brush = ::CreateSolidBrush(back);
    return reinterpret_cast<ui::LRESULT>(state->brush);
}

ui::LRESULT LabelProcedure(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    if (win32::PassOtherButtons(window, message, wParam, lParam)) return 0;
    if (const auto answer = win32::LabelFocusMessage(window, message, wParam, lParam)) return *answer;
    return ui::DefWindowProc(window, message, wParam, lParam);
}

ui::HWND CreateLabelWindow(ui::HWND parent, std::wstring_view name, const Bounds& bounds) {
    const ui::HWND window = win32::CreateControlWindow(L"VeltrixLabel", "Static", ui::SS_LEFT | ui::SS_NOTIFY, 0,
                                                       parent, name, bounds, &LabelProcedure, true);
    if (ui::win32::WindowRecord* record = ui::win32::RecordOf(window)) {
        record->afterPaint = [window] { win32::PaintFocusMark(window); };
        record->reflect = [window](::UINT message, ::WPARAM wParam, ::LPARAM) -> std::optional<ui::LRESULT> {
            if (message == WM_COMMAND) {
                win32::ControlState* state = win32::StateOf(window);
                auto* label = state ? dynamic_cast<Label*>(state->control) : nullptr;
                if (!label) return 0;
                if (ui::HIWORD(wParam) == STN_CLICKED) label->Click.Raise();
                else if (ui::HIWORD(wParam) == STN_DBLCLK) label->DblClick.Raise();
                return 0;
            }
            return AnswerColour(window, message, wParam);
        };
    }
    return window;
}

void SetStyleBits(ui::HWND window, std::uint32_t mask, std::uint32_t bits) {
    const auto style = static_cast<std::uint32_t>(ui::GetWindowLongPtr(window, ui::GWL_STYLE));
    ui::SetWindowLongPtr(window, ui::GWL_STYLE, static_cast<std::intptr_t>((style & ~mask) | bits));
}

}  // namespace

Label::Label(ui::HWND parent, std::wstring name, const Bounds& bounds, std::wstring caption)
    : Control(CreateLabelWindow(parent, name, bounds), name), caption_(std::move(caption)), font_(AmbientFont(parent)) {
    ui::SetWindowText(Hwnd(), caption_);
    win32::SetControlFont(Hwnd(), font_);
}

void Label::Repaint() {
    if (backStyle_ == BackStyle::Transparent) win32::RepaintThrough(Hwnd());
    else ui::InvalidateRect(Hwnd(), nullptr, true);
}

void Label::SetCaption(std::wstring caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    ui::SetWindowText(Hwnd(), caption_);
    Repaint();
}

void Label::SetTabStop(bool tabStop) {
    tabStop_ = tabStop;
    SetStyleBits(Hwnd(), ui::WS_TABSTOP, tabStop ? ui::WS_TABSTOP : 0);
    Repaint();
}

void Label::SetBackStyle(BackStyle style) {
    backStyle_ = style;
    // Painted after what lies beneath it, which shows through.
    const auto exStyle = static_cast<std::uint32_t>(ui::GetWindowLongPtr(Hwnd(), ui::GWL_EXSTYLE));
    const std::uint32_t bits = style == BackStyle::Transparent ? (exStyle | WS_EX_TRANSPARENT) : (exStyle & ~WS_EX_TRANSPARENT);
    ui::SetWindowLongPtr(Hwnd(), ui::GWL_EXSTYLE, static_cast<std::intptr_t>(bits));
    Repaint();
}

void Label::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    SetStyleBits(Hwnd(), kAlignmentStyles, AlignmentStyle(alignment));
    Repaint();
}

void Label::SetUseMnemonic(bool use) {
    useMnemonic_ = use;
    SetStyleBits(Hwnd(), SS_NOPREFIX, use ? 0 : SS_NOPREFIX);
    Repaint();
}

void Label::SetFont(const ui::StdFont& font) {
    if (font == font_) return;
    font_ = font;
    win32::SetControlFont(Hwnd(), font_);
    Repaint();
}

int Label::CaptionWidth() const {
    const ::HDC dc = ::GetDC(nullptr);
    const ::HFONT font = win32::CreateFontFor(font_);
    const ::HGDIOBJ previous = ::SelectObject(dc, font);
    const std::string text = ui::win32::AnsiText(caption_);
    ::RECT area{0, 0, 0, 0};
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
                ui::DT_CALCRECT | ui::DT_SINGLELINE | (useMnemonic_ ? 0u : ui::DT_NOPREFIX));
    ::SelectObject(dc, previous);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, dc);
    return ui::win32::ScaleToDesign(area.right - area.left);
}

}  // namespace window::form
