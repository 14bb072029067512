#pragma once
// Messages a window procedure receives, with the records some of them point
// to. Input from the toolkit arrives translated into these: focus, mouse
// buttons, keys, size, paint; controls talk to each other with the rest.

#include <cstdint>
#include <string>

#include "window/ui/types.h"

namespace window::ui {

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_SETFOCUS = 0x0007;   // wParam: the window that lost the focus
inline constexpr UINT WM_KILLFOCUS = 0x0008;  // wParam: the window that gets the focus
inline constexpr UINT WM_ENABLE = 0x000A;     // wParam: enabled
inline constexpr UINT WM_SETTEXT = 0x000C;    // lParam: const std::wstring*
inline constexpr UINT WM_GETTEXT = 0x000D;    // lParam: std::wstring* to fill
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_ERASEBKGND = 0x0014;  // wParam: HDC
inline constexpr UINT WM_DRAWITEM = 0x002B;    // wParam: control id; lParam: DRAWITEMSTRUCT*
inline constexpr UINT WM_SETFONT = 0x0030;     // wParam: HFONT; lParam: redraw
inline constexpr UINT WM_GETFONT = 0x0031;
inline constexpr UINT WM_NOTIFY = 0x004E;  // wParam: control id; lParam: NMHDR* (or a record that starts with one)
inline constexpr UINT WM_STYLECHANGED = 0x007D;
inline constexpr UINT WM_KEYDOWN = 0x0100;  // wParam: virtual-key code; lParam: KeyData bits
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;  // a key pressed with Alt held
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;  // wParam: command identifier
inline constexpr UINT WM_MOUSEMOVE = 0x0200;   // lParam of mouse messages: MAKELPARAM(x, y) in client pixels
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MOUSELEAVE = 0x02A3;
inline constexpr UINT WM_USER = 0x0400;

// wParam bits of mouse messages.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;

// lParam bits of key messages: repeat count in the low word.
inline constexpr LPARAM kKeyRepeatCountMask = 0xFFFF;
inline constexpr LPARAM kKeyWasDown = LPARAM{1} << 30;
inline constexpr LPARAM kKeyReleased = LPARAM{1} << 31;

// Notification codes common to all controls.
inline constexpr int NM_CLICK = -2;
inline constexpr int NM_DBLCLK = -3;
inline constexpr int NM_RCLICK = -5;

// Header of every WM_NOTIFY record.
struct NMHDR {
    HWND hwndFrom = nullptr;
    std::uintptr_t idFrom = 0;
    int code = 0;
};

// WM_DRAWITEM: what to draw, where, with which device context.
inline constexpr UINT ODT_STATIC = 5;
inline constexpr UINT ODA_DRAWENTIRE = 0x0001;
inline constexpr UINT ODS_DISABLED = 0x0004;
inline constexpr UINT ODS_FOCUS = 0x0010;

struct DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HWND hwndItem = nullptr;
    HDC hDC = nullptr;
    RECT rcItem;
    std::uintptr_t itemData = 0;
};

// A message as a keyboard filter sees it.
struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// WM_SYSCOMMAND identifiers of the system's own window-menu entries.
inline constexpr WPARAM SC_SIZE = 0xF000;
inline constexpr WPARAM SC_MOVE = 0xF010;
inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_MAXIMIZE = 0xF030;
inline constexpr WPARAM SC_CLOSE = 0xF060;
inline constexpr WPARAM SC_KEYMENU = 0xF100;
inline constexpr WPARAM SC_RESTORE = 0xF120;

// Virtual-key codes.
inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;
inline constexpr int VK_PAUSE = 0x13;
inline constexpr int VK_CAPITAL = 0x14;
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_PRIOR = 0x21;
inline constexpr int VK_NEXT = 0x22;
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_SNAPSHOT = 0x2C;
inline constexpr int VK_INSERT = 0x2D;
inline constexpr int VK_DELETE = 0x2E;
inline constexpr int VK_LWIN = 0x5B;
inline constexpr int VK_APPS = 0x5D;
inline constexpr int VK_NUMPAD0 = 0x60;
inline constexpr int VK_MULTIPLY = 0x6A;
inline constexpr int VK_ADD = 0x6B;
inline constexpr int VK_SUBTRACT = 0x6D;
inline constexpr int VK_DECIMAL = 0x6E;
inline constexpr int VK_DIVIDE = 0x6F;
inline constexpr int VK_F1 = 0x70;
inline constexpr int VK_NUMLOCK = 0x90;
inline constexpr int VK_SCROLL = 0x91;
inline constexpr int VK_OEM_1 = 0xBA;  // ;:
inline constexpr int VK_OEM_PLUS = 0xBB;
inline constexpr int VK_OEM_COMMA = 0xBC;
inline constexpr int VK_OEM_MINUS = 0xBD;
inline constexpr int VK_OEM_PERIOD = 0xBE;
inline constexpr int VK_OEM_2 = 0xBF;  // /?
inline constexpr int VK_OEM_3 = 0xC0;  // `~
inline constexpr int VK_OEM_4 = 0xDB;  // [{
inline constexpr int VK_OEM_5 = 0xDC;  // \|
inline constexpr int VK_OEM_6 = 0xDD;  // ]}
inline constexpr int VK_OEM_7 = 0xDE;  // '"

}  // namespace window::ui
