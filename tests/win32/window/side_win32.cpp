// The shared window cases' support on the Win32 side: the system's windows
// under a real message loop. Input is what the system would queue for a
// user's key or click: a key is posted to the focused window with the
// keyboard state of the modifiers held, so that it passes the toolkit's key
// filters and the dialog manager as a typed key does; a click goes to the
// window the system's hit test picks at that point (the deepest visible,
// enabled child, less those that answer HTTRANSPARENT, as a static without
// SS_NOTIFY does), and the second of two quick clicks is a double click only for
// a class that asks for them (CS_DBLCLKS).
#include "window/win32/ui/system_headers.h"

#include "side.h"

#include <string>

#include "window/ui/application.h"
#include "window/ui/messages.h"
#include "window/ui/window.h"

namespace ui = window::ui;

namespace side {

namespace {

::HWND Native(ui::HWND window) { return reinterpret_cast<::HWND>(window); }

// The window a click at `at` (client pixels of `window`) reaches, and the
// point in its client pixels.
::HWND HitWindow(::HWND window, ::POINT& at) {
    ::POINT screen = at;
    ::ClientToScreen(window, &screen);
    // From the form down, as the system looks: a disabled window is passed
    // over for the window beneath it.
    ::HWND hit = ::GetAncestor(window, ui::GA_ROOT);
    for (;;) {
        ::POINT inside = screen;
        ::ScreenToClient(hit, &inside);
        ::HWND child = ::ChildWindowFromPointEx(hit, inside, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
        if (!child || child == hit) break;
        hit = child;
    }
    while (::GetParent(hit) && ::SendMessageA(hit, WM_NCHITTEST, 0, ui::MAKELPARAM(screen.x, screen.y)) == HTTRANSPARENT) {
        hit = ::GetParent(hit);
    }
    at = screen;
    ::ScreenToClient(hit, &at);
    return hit;
}

void PostAndHandle(::HWND window, ::UINT message, ::WPARAM wParam, ::POINT at) {
    ::PostMessageA(window, message, wParam, ui::MAKELPARAM(at.x, at.y));
    ui::Application::ProcessEvents();
}

}  // namespace

namespace {

bool UnderWine() { return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

struct Fault {
    const char* test;  // Suite.Case
    bool wineOnly;     // Wine's part, not the toolkit's
    const char* reason;
};

// Shown by the shared cases and left to their owners.
constexpr Fault kFaults[] = {
    {"TabControlCases.TheOppositeStyleSendsTheRowsInFrontToTheFarSide", true,
     "Wine's tab control does not move the rows in front of the selected one to the far side (TCS_SCROLLOPPOSITE)"},
    {"TabControlCases.AFixedWidthMakesEveryTabThatSize", true,
     "Wine's tab control takes the width of TCM_SETITEMSIZE only while the strip already has TCS_FIXEDWIDTH (the "
     "control sets the size, then the style: the tabs stay 0 pixels wide), and in the other order makes each tab "
     "the width plus its padding (119 pixels for 100); a plain SysTabControl32 does both"},
};

}  // namespace

const char* KnownFault() {
    const ::testing::TestInfo* running = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!running) return nullptr;
    const std::string name = std::string(running->test_suite_name()) + "." + running->name();
    for (const Fault& fault : kFaults) {
        if (name == fault.test && (!fault.wineOnly || UnderWine())) return fault.reason;
    }
    return nullptr;
}

bool ShowActive(ui::HWND window) {
    ::HWND native = Native(window);
    if (!::IsWindow(native)) return false;
    ::ShowWindow(native, ui::SW_SHOW);
    ::SetForegroundWindow(native);
    ::SetActiveWindow(native);
    return PumpUntil([&] { return ::GetActiveWindow() == native; });
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
    const ::ULONGLONG end = ::GetTickCount64() + static_cast<::ULONGLONG>(milliseconds);
    for (;;) {
        ui::Application::ProcessEvents();
        if (done()) return true;
        if (::GetTickCount64() >= end) return false;
        ::Sleep(5);
    }
}

void PumpFor(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

void Repaint(ui::HWND window) {
    ::RedrawWindow(Native(window), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Settle() { ui::Application::ProcessEvents(); }

void TakeBackQuit() {
    ::MSG quit{};
    while (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

namespace {

// Posts a key's press or release to the window with the focus, with the
// keyboard state of the keys held, and handles it.
void PostKey(int virtualKey, bool press) {
    ::HWND focus = ::GetFocus();
    if (!focus) focus = ::GetActiveWindow();
    const ::UINT scan = ::MapVirtualKeyA(static_cast<::UINT>(virtualKey), MAPVK_VK_TO_VSC);
    const auto flags = static_cast<::LPARAM>(1 | (scan << 16) | (press ? 0u : (1u << 30) | (1u << 31)));
    ::PostMessageA(focus, press ? ui::WM_KEYDOWN : ui::WM_KEYUP, static_cast<::WPARAM>(virtualKey), flags);
    ui::Application::ProcessEvents();
}

void Hold(int virtualKey, bool held) {
    ::BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[virtualKey] = held ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

}  // namespace

// As the user types it: the modifiers pressed first and released last.
void PressKey(int virtualKey, int modifiers) {
    const int held[] = {(modifiers & kControl) ? ui::VK_CONTROL : 0, (modifiers & kShift) ? ui::VK_SHIFT : 0};
    for (int key : held) {
        if (!key) continue;
        Hold(key, true);
        PostKey(key, true);
    }
    Hold(virtualKey, true);
    PostKey(virtualKey, true);
    Hold(virtualKey, false);
    PostKey(virtualKey, false);
    for (int key : held) {
        if (!key) continue;
        Hold(key, false);
        PostKey(key, false);
    }
}

void Click(ui::HWND window, ui::POINT at, Button button) {
    ::POINT point{at.x, at.y};
    ::HWND hit = HitWindow(Native(window), point);
    const bool left = button == Button::Left;
    PostAndHandle(hit, left ? ui::WM_LBUTTONDOWN : ui::WM_RBUTTONDOWN, left ? ui::MK_LBUTTON : ui::MK_RBUTTON, point);
    PostAndHandle(hit, left ? ui::WM_LBUTTONUP : ui::WM_RBUTTONUP, 0, point);
}

void DoubleClick(ui::HWND window, ui::POINT at) {
    ::POINT point{at.x, at.y};
    ::HWND hit = HitWindow(Native(window), point);
    const bool asks = (::GetClassLongPtrA(hit, GCL_STYLE) & CS_DBLCLKS) != 0;
    PostAndHandle(hit, asks ? ui::WM_LBUTTONDBLCLK : ui::WM_LBUTTONDOWN, ui::MK_LBUTTON, point);
    PostAndHandle(hit, ui::WM_LBUTTONUP, 0, point);
}

void Scroll(ui::HWND bar, ScrollStep step) {
    int code = SB_LINELEFT;
    switch (step) {
    case ScrollStep::LineLeft: code = SB_LINELEFT; break;
    case ScrollStep::LineRight: code = SB_LINERIGHT; break;
    case ScrollStep::ToLeft: code = SB_LEFT; break;
    case ScrollStep::ToRight: code = SB_RIGHT; break;
    }
    ::HWND native = Native(bar);
    // The bar tells its parent, then that the user let go.
    ::SendMessageA(::GetParent(native), WM_HSCROLL, static_cast<::WPARAM>(code), reinterpret_cast<::LPARAM>(native));
    ::SendMessageA(::GetParent(native), WM_HSCROLL, SB_ENDSCROLL, reinterpret_cast<::LPARAM>(native));
}

struct Canvas::Impl {
    ::HDC dc = nullptr;
    ::HBITMAP bitmap = nullptr;
    ::HGDIOBJ previous = nullptr;
};

Canvas::Canvas(int width, int height, ui::COLORREF fill) : impl_(std::make_unique<Impl>()) {
    impl_->dc = ::CreateCompatibleDC(nullptr);
    ::BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    impl_->bitmap = ::CreateDIBSection(impl_->dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    impl_->previous = ::SelectObject(impl_->dc, impl_->bitmap);
    ::HBRUSH brush = ::CreateSolidBrush(fill);
    const ::RECT all{0, 0, width, height};
    ::FillRect(impl_->dc, &all, brush);
    ::DeleteObject(brush);
}

Canvas::~Canvas() {
    ::SelectObject(impl_->dc, impl_->previous);
    ::DeleteObject(impl_->bitmap);
    ::DeleteDC(impl_->dc);
}

ui::HDC Canvas::Dc() const { return reinterpret_cast<ui::HDC>(impl_->dc); }

ui::COLORREF Canvas::Pixel(int x, int y) const { return ::GetPixel(impl_->dc, x, y); }

}  // namespace side
