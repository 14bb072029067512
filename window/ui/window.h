#pragma once
// Windows over the toolkit's widgets: creating and destroying them, their
// window procedures, named properties, focus, position and painting.
//
// Every window has a chain of window procedures. The bottom one belongs to
// the window's class and gives the class its behaviour (a tab strip selects
// tabs there); a control can put its own procedure on top with
// SetWindowProc, handle what it wants and hand the rest to the procedure it
// replaced with CallWindowProc. Input from the toolkit reaches the chain as
// messages: focus, mouse buttons, keys, size and paint.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "window/ui/messages.h"
#include "window/ui/types.h"

namespace window::ui {

// Window classes CreateWindowEx knows.
inline constexpr std::wstring_view kUserControlClass = L"VeltrixUserControl";  // a plain container for a control
inline constexpr std::wstring_view WC_TABCONTROL = L"SysTabControl32";          // see tab_strip.h
inline constexpr std::wstring_view TOOLTIPS_CLASS = L"Tooltips_Class32";        // see tooltip.h
inline constexpr std::wstring_view WC_STATIC = L"Static";

// Window styles.
inline constexpr std::uint32_t WS_POPUP = 0x80000000;
inline constexpr std::uint32_t WS_CHILD = 0x40000000;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000;
inline constexpr std::uint32_t WS_DISABLED = 0x08000000;
inline constexpr std::uint32_t WS_SYSMENU = 0x00080000;
inline constexpr std::uint32_t WS_THICKFRAME = 0x00040000;
inline constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000;
inline constexpr std::uint32_t WS_MAXIMIZEBOX = 0x00010000;
inline constexpr std::uint32_t WS_TABSTOP = 0x00010000;
inline constexpr std::uint32_t WS_EX_TOPMOST = 0x00000008;

// Static class styles.
inline constexpr std::uint32_t SS_LEFT = 0x0000;
inline constexpr std::uint32_t SS_CENTER = 0x0001;
inline constexpr std::uint32_t SS_RIGHT = 0x0002;
inline constexpr std::uint32_t SS_OWNERDRAW = 0x000D;  // the parent draws it on WM_DRAWITEM
inline constexpr std::uint32_t SS_TYPEMASK = 0x001F;
inline constexpr std::uint32_t SS_NOTIFY = 0x0100;  // without it the static lets mouse input through to its parent

inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

// GetWindowLongPtr / SetWindowLongPtr indexes.
inline constexpr int GWLP_ID = -12;
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOW = 5;

// GetAncestor.
inline constexpr int GA_PARENT = 1;
inline constexpr int GA_ROOT = 2;

// Creates a window of one of the classes above; nullptr for an unknown class
// or a child style without a valid parent. `name` becomes the window's
// object name, so tests can find it; `id` is the control identifier its
// notifications carry.
HWND CreateWindowEx(std::uint32_t exStyle, std::wstring_view className, std::wstring_view windowText,
                    std::uint32_t style, int x, int y, int width, int height, HWND parent, std::intptr_t id = 0,
                    std::wstring_view name = {});
// Destroys the window and its children, with their properties. False when
// the handle is not a window.
bool DestroyWindow(HWND window);
bool IsWindow(HWND window);

HWND GetParent(HWND window);
HWND GetAncestor(HWND window, int flags);
std::wstring GetClassName(HWND window);
void SetWindowName(HWND window, std::wstring_view name);

// The procedure chain. SetWindowProc returns the procedure it replaced, or
// nullptr when the window does not exist (nothing is changed then).
WNDPROC SetWindowProc(HWND window, WNDPROC procedure);
WNDPROC GetWindowProc(HWND window);
// Calls `procedure` as if it were the window's own; 0 when it is null.
LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the window's current procedure now and returns its result; 0 when
// the window does not exist.
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// What a class does with a message nobody else handles.
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Styles, extended styles and the control identifier. Changing the style
// sends WM_STYLECHANGED, so the class can lay itself out again.
std::intptr_t GetWindowLongPtr(HWND window, int index);
std::intptr_t SetWindowLongPtr(HWND window, int index, std::intptr_t value);

// Named window properties, kept on the window until removed or until the
// window goes. SetProp fails for an empty name or a window that does not
// exist; GetProp and RemoveProp give 0 for a name that is not there.
bool SetProp(HWND window, std::wstring_view name, HANDLE value);
HANDLE GetProp(HWND window, std::wstring_view name);
HANDLE RemoveProp(HWND window, std::wstring_view name);
std::size_t GetPropCount(HWND window);

// Position and size in the parent's client pixels.
bool MoveWindow(HWND window, int x, int y, int width, int height, bool repaint = true);
bool GetClientRect(HWND window, RECT& rect);
// Position relative to the parent's client area.
bool GetWindowRect(HWND window, RECT& rect);
bool EnableWindow(HWND window, bool enable);
bool IsWindowEnabled(HWND window);
bool ShowWindow(HWND window, int command);
bool IsWindowVisible(HWND window);
// Moves the window to the top (front) or bottom (back) of its siblings.
void BringWindowToTop(HWND window);
void SendWindowToBack(HWND window);

bool SetWindowText(HWND window, std::wstring_view text);
std::wstring GetWindowText(HWND window);

// Focus moves synchronously when the window's top-level window is active;
// the window then receives WM_SETFOCUS. Returns the window that had it.
HWND SetFocus(HWND window);
HWND GetFocus();

// Schedules a repaint (all of the window when rect is null).
bool InvalidateRect(HWND window, const RECT* rect, bool erase);
// Repaints now.
bool UpdateWindow(HWND window);

// A window's background, painted on WM_ERASEBKGND by the classes of this
// layer; without one the toolkit's window colour shows.
void SetWindowBackgroundColor(HWND window, COLORREF color);

// Live windows, for tests that count what a control leaves behind.
std::size_t GetWindowCount();
// Properties left on all live windows together.
std::size_t GetTotalPropCount();

}  // namespace window::ui
