// The key filter runs in the message loop (application.cpp), before the
// dialog manager's keyboard handling and before the focused window sees the
// key: the key messages of the filtered window are offered to its routine.
#include "window/win32/ui/system_headers.h"

#include "window/ui/keyboard.h"

#include "window/ui/window.h"
#include "window/win32/ui/registry.h"

namespace window::ui {

namespace {

KeyFilter::Impl* g_activeFilter = nullptr;

bool IsKeyMessage(::UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

}  // namespace

struct KeyFilter::Impl {
    HWND window = nullptr;
    Routine routine;
};

KeyFilter::KeyFilter() : impl_(std::make_unique<Impl>()) {}

KeyFilter::~KeyFilter() { Remove(); }

void KeyFilter::Activate(HWND window, Routine routine) {
    impl_->window = window;
    impl_->routine = std::move(routine);
    g_activeFilter = impl_.get();
}

void KeyFilter::Remove() {
    if (g_activeFilter == impl_.get()) g_activeFilter = nullptr;
    impl_->routine = nullptr;
    impl_->window = nullptr;
}

bool KeyFilter::IsActive() const { return g_activeFilter == impl_.get(); }

// Tab and Shift+Tab: the next or previous control that takes the focus.
// The dialog manager finds tab stops from the front of the siblings to the
// back; the toolkit puts each window it makes in front of its siblings (so
// that it lies on top of them, as on the other side), so its order runs
// against the order the controls were made in, and reading order is the
// dialog manager's "previous".
namespace {

bool MoveFocusToNextTabStop(bool backwards) {
    const ::HWND current = ::GetFocus();
    if (!current) return false;
    const ::HWND form = ::GetAncestor(current, GA_ROOT);
    const ::HWND next = ::GetNextDlgTabItem(form, current, !backwards);
    if (next && next != current) ::SetFocus(next);
    return true;
}

}  // namespace

KeyResult KeyFilter::DefaultTranslate(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != static_cast<WPARAM>(VK_TAB)) return KeyResult::NotHandled;
    const bool backwards = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    return MoveFocusToNextTabStop(backwards) ? KeyResult::Handled : KeyResult::NotHandled;
}

}  // namespace window::ui

namespace window::ui::win32 {

// Before the dialog manager, which would go the other way round.
bool MoveTabFocus(const ::MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != static_cast<WPARAM>(VK_TAB)) return false;
    if ((::GetKeyState(VK_CONTROL) & 0x8000) || (::GetKeyState(VK_MENU) & 0x8000)) return false;
    const ::HWND form = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (!form || !RecordOf(form)) return false;
    return MoveFocusToNextTabStop((::GetKeyState(VK_SHIFT) & 0x8000) != 0);
}

bool FilterKey(const ::MSG& message) {
    if (!g_activeFilter || !g_activeFilter->routine || !IsKeyMessage(message.message)) return false;
    if (message.hwnd != Native(g_activeFilter->window) || ::GetFocus() != message.hwnd) return false;
    const MSG key{Handle(message.hwnd), message.message, message.wParam, message.lParam};
    const KeyFilter::Routine running = g_activeFilter->routine;
    return running(key) == KeyResult::Handled;
}

}  // namespace window::ui::win32
