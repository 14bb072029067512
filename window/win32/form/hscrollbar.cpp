// A horizontal scroll bar is the system's SCROLLBAR (SBS_HORZ). The system's
// bar runs from its lower to its higher end only; with Max below Min the
// toolkit turns the position round, so that Min is at the left end. The
// value is the toolkit's; the system shows it. The user's moves arrive at the parent as
// WM_HSCROLL, which the bar answers itself: Change after a step, a page or a
// released thumb, Scroll while the thumb is dragged.
#include "window/win32/form/form_windows.h"

#include "window/form/hscrollbar.h"

#include <algorithm>

#include "window/ui/window.h"

namespace window::form {

namespace {

::HWND Native(ui::HWND window) { return ui::win32::Native(window); }

int Lower(const HScrollBar& bar) { return std::min(bar.Min(), bar.Max()); }
int Upper(const HScrollBar& bar) { return std::max(bar.Min(), bar.Max()); }
bool Reversed(const HScrollBar& bar) { return bar.Max() < bar.Min(); }

// Between the bar's value and the system's position.
int Turn(const HScrollBar& bar, int value) { return Reversed(bar) ? Lower(bar) + Upper(bar) - value : value; }

int Position(ui::HWND window) { return ::GetScrollPos(Native(window), SB_CTL); }

// Where the user holds or let go of the thumb. WM_HSCROLL carries it in 16
// bits only, which a range past 65535 outgrows; the bar itself keeps it whole.
// Until its owner sets the position, the bar's own stays where the drag began,
// so the tracking position serves the release as well.
int ThumbPosition(ui::HWND window) {
    ::SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    return ::GetScrollInfo(Native(window), SB_CTL, &info) ? info.nTrackPos : Position(window);
}

// Sets the value (kept in the bar's state; the system shows its position).
void Show(HScrollBar& bar, win32::ControlState& state, int value) {
    state.value = value;
    ::SetScrollPos(Native(bar.Hwnd()), SB_CTL, Turn(bar, value), TRUE);
}

void MoveTo(HScrollBar& bar, win32::ControlState& state, int position, bool dragging) {
    const int value = Turn(bar, std::clamp(position, Lower(bar), Upper(bar)));
    const int before = state.value;
    Show(bar, state, value);
    if (dragging) bar.Scroll.Raise();
    else if (value != before) bar.Change.Raise();
}

std::optional<ui::LRESULT> Answer(ui::HWND window, ::UINT message, ::WPARAM wParam) {
    win32::ControlState* state = win32::StateOf(window);
    auto* bar = state ? dynamic_cast<HScrollBar*>(state->control) : nullptr;
    if (message != WM_HSCROLL || !bar) return std::nullopt;
    // Steps are in the system's direction: with the range turned round, the
    // left arrow goes towards Min, which is then at the left end.
    const int position = Position(window);
    switch (ui::LOWORD(wParam)) {
        case SB_LINELEFT: MoveTo(*bar, *state, position - state->smallChange, false); break;
        case SB_LINERIGHT: MoveTo(*bar, *state, position + state->smallChange, false); break;
        case SB_PAGELEFT: MoveTo(*bar, *state, position - state->largeChange, false); break;
        case SB_PAGERIGHT: MoveTo(*bar, *state, position + state->largeChange, false); break;
        case SB_LEFT: MoveTo(*bar, *state, Lower(*bar), false); break;
        case SB_RIGHT: MoveTo(*bar, *state, Upper(*bar), false); break;
        case SB_THUMBTRACK: MoveTo(*bar, *state, ThumbPosition(window), true); break;
        case SB_THUMBPOSITION: MoveTo(*bar, *state, ThumbPosition(window), false); break;
        default: break;
    }
    return 0;
}

ui::HWND CreateScrollBarWindow(ui::HWND parent, std::wstring_view name, const Bounds& bounds) {
    const ui::HWND window = win32::CreateControlWindow(L"ScrollBar", "ScrollBar", SBS_HORZ | ui::WS_TABSTOP, 0, parent,
                                                       name, bounds, &ui::DefWindowProc, true);
    if (ui::win32::WindowRecord* record = ui::win32::RecordOf(window)) {
        record->reflect = [window](::UINT message, ::WPARAM wParam, ::LPARAM) { return Answer(window, message, wParam); };
    }
    return window;
}

}  // namespace

HScrollBar::HScrollBar(ui::HWND parent, std::wstring name, const Bounds& bounds)
    : Control(CreateScrollBarWindow(parent, name, bounds), name) {
    ApplyRange();
}

// The value stays where it is when it is inside the new range, else it
// moves to the nearer end, which is a change.
void HScrollBar::ApplyRange() {
    win32::ControlState* state = win32::StateOf(Hwnd());
    if (!state) return;
    ::SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE;
    info.nMin = Lower(*this);
    info.nMax = Upper(*this);
    ::SetScrollInfo(Native(Hwnd()), SB_CTL, &info, TRUE);
    // Nothing to step through (one device, or none): both arrows greyed.
    ::EnableScrollBar(Native(Hwnd()), SB_CTL, Lower(*this) == Upper(*this) ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
    const int before = state->value;
    Show(*this, *state, std::clamp(before, Lower(*this), Upper(*this)));
    if (state->value != before) Change.Raise();
}

int HScrollBar::Value() const {
    const win32::ControlState* state = win32::StateOf(Hwnd());
    return state ? state->value : min_;
}

void HScrollBar::SetValue(int value) {
    win32::ControlState* state = win32::StateOf(Hwnd());
    if (!state || value < Lower(*this) || value > Upper(*this) || value == state->value) return;
    Show(*this, *state, value);
    Change.Raise();
}

int HScrollBar::SmallChange() const {
    const win32::ControlState* state = win32::StateOf(Hwnd());
    return state ? state->smallChange : 1;
}

void HScrollBar::SetSmallChange(int change) {
    if (win32::ControlState* state = win32::StateOf(Hwnd()); state && change > 0) state->smallChange = change;
}

int HScrollBar::LargeChange() const {
    const win32::ControlState* state = win32::StateOf(Hwnd());
    return state ? state->largeChange : 1;
}

void HScrollBar::SetLargeChange(int change) {
    if (win32::ControlState* state = win32::StateOf(Hwnd()); state && change > 0) state->largeChange = change;
}

}  // namespace window::form
