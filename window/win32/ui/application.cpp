// The message loop. Keys go first to the active key filter, then to the
// dialog manager of their form (Tab, the arrows between controls, access
// keys), then to the focused window.
#include "window/win32/ui/system_headers.h"

#include "window/ui/application.h"

#include "window/ui/internal/focus_marks.h"
#include "window/ui/window.h"
#include "window/win32/ui/registry.h"

namespace window::ui {

namespace {

// A form shows focus marks from the first key that moves about in it on; the
// window that has the focus then draws its mark (over whatever lies beneath
// it, for a window that lets that show through).
void NoteKey(const ::MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return;
    const ::HWND form = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    win32::WindowRecord* record = form ? win32::RecordOf(form) : nullptr;
    if (!record || record->keyboardUsed) return;
    if (!KeyStartsFocusMarks(static_cast<int>(message.wParam), (::GetKeyState(VK_CONTROL) & 0x8000) != 0)) return;
    record->keyboardUsed = true;
    if (const ::HWND focus = ::GetFocus(); focus && ::GetAncestor(focus, GA_ROOT) == form) {
        ::RECT area;
        ::GetWindowRect(focus, &area);
        ::MapWindowPoints(nullptr, form, reinterpret_cast<::POINT*>(&area), 2);
        ::RedrawWindow(form, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void Deliver(::MSG& message) {
    NoteKey(message);
    if (win32::HandleWindowKeys(message)) return;
    if (win32::FilterKey(message)) return;
    if (win32::MoveTabFocus(message)) return;
    const ::HWND form = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (form && win32::RecordOf(form) && ::IsDialogMessageA(form, &message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
}

}  // namespace

// A window can always be shown on this system.
bool DisplayAvailable() { return true; }

struct Application::Impl {};

Application::Application(int& /*argc*/, char** /*argv*/, std::wstring_view /*name*/)
    : impl_(std::make_unique<Impl>()) {
    win32::ToolkitClass();
}

Application::~Application() = default;

// The system's own texts (the window menu's entries, the save dialog's
// buttons) are in the language of the installed system.
void Application::UseLanguage(std::string_view /*language*/) {}

int Application::Run() {
    ::MSG message{};
    for (;;) {
        // Once the first paint is done, for the window list (window_list.cpp).
        if (!::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) win32::WriteWindowList();
        if (::GetMessageA(&message, nullptr, 0, 0) <= 0) break;
        Deliver(message);
    }
    return static_cast<int>(message.wParam);
}

void Application::Quit(int exitCode) { ::PostQuitMessage(exitCode); }

void Application::ProcessEvents() {
    ::MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the loop that runs the application.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Deliver(message);
    }
}

}  // namespace window::ui

namespace window::ui::win32 {

bool RunModalLoop(const bool& running) {
    ::MSG message{};
    while (running) {
        const int got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        Deliver(message);
    }
    return true;
}

}  // namespace window::ui::win32
