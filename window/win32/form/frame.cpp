// A frame is the system's STATIC window holding its controls: with border
// style 1 an etched frame (SS_ETCHEDFRAME), with 0 a plain one. What its
// children send their parent (scroll bars, labels' colours, owner drawing)
// reaches them through the toolkit's dispatcher as on a form.
#include "window/win32/form/form_windows.h"

#include "window/form/frame.h"

#include "window/ui/gdi.h"
#include "window/ui/window.h"

namespace window::form {

namespace {

constexpr std::uint32_t kFrameTypes = ui::SS_TYPEMASK;

ui::HWND CreateFrameWindow(ui::HWND parent, std::wstring_view name, const Bounds& bounds) {
    const ui::HWND window = win32::CreateControlWindow(L"VeltrixFrame", "Static",
                                                       SS_ETCHEDFRAME | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, parent,
                                                       name, bounds, &ui::DefWindowProc, true);
    if (ui::win32::WindowRecord* record = ui::win32::RecordOf(window)) {
        // A transparent frame lets what lies beneath it show through.
        record->reflect = [window](::UINT message, ::WPARAM wParam, ::LPARAM) -> std::optional<ui::LRESULT> {
            win32::ControlState* state = win32::StateOf(window);
            const auto* frame = state ? dynamic_cast<const Frame*>(state->control) : nullptr;
            if (message != WM_CTLCOLORSTATIC || !frame || frame->GetBackStyle() != BackStyle::Transparent) {
                return std::nullopt;
            }
            ::SetBkMode(reinterpret_cast<::HDC>(wParam), ui::TRANSPARENT);
            return reinterpret_cast<ui::LRESULT>(win32::BackdropBrush(window, reinterpret_cast<::HDC>(wParam)));
        };
    }
    return window;
}

void SetType(ui::HWND window, std::uint32_t type) {
    const auto style = static_cast<std::uint32_t>(ui::GetWindowLongPtr(window, ui::GWL_STYLE));
    ui::SetWindowLongPtr(window, ui::GWL_STYLE, static_cast<std::intptr_t>((style & ~kFrameTypes) | type));
}

}  // namespace

Frame::Frame(ui::HWND parent, std::wstring name, const Bounds& bounds)
    : Control(CreateFrameWindow(parent, name, bounds), name), Container(Hwnd()) {}

Frame::~Frame() { DestroyControls(); }

// The caption is the frame's window text, which the system's accessibility
// reads as the group's name; a frame with a caption drawn on its border is
// not used by the program's forms yet.
void Frame::SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    ui::SetWindowText(Hwnd(), caption_);
}

void Frame::SetBorderStyle(int style) {
    if (style != 0 && style != 1) return;
    borderStyle_ = style;
    SetType(Hwnd(), style == 1 ? SS_ETCHEDFRAME : ui::SS_LEFT);
    ui::InvalidateRect(Hwnd(), nullptr, true);
}

// A transparent frame paints what the tab strip beneath it shows (its
// WM_CTLCOLORSTATIC brush above): the strip does not paint over its siblings.
void Frame::SetBackStyle(BackStyle style) {
    backStyle_ = style;
    ui::InvalidateRect(Hwnd(), nullptr, true);
}

}  // namespace window::form
