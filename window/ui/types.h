#pragma once
// The vocabulary of the window layer: handles, message parameters, points,
// rectangles and colours. The shapes follow the window system the controls
// were first written for, so a control reads the same over every backend and
// a native backend can pass the values straight through.
//
// Handles are opaque: they name an entry in the layer's tables and are never
// dereferenced. A handle whose window or object is gone is simply invalid;
// every call given one fails quietly.

#include <cstdint>

namespace window::ui {

struct WindowTag;
struct DeviceContextTag;
struct FontTag;
struct BrushTag;
struct MenuTag;

using HWND = WindowTag*;
using HDC = DeviceContextTag*;
using HFONT = FontTag*;
using HBRUSH = BrushTag*;
using HMENU = MenuTag*;

using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
// The value kept in a named window property: wide enough for an address.
using HANDLE = std::uintptr_t;
// 0x00BBGGRR: red in the low byte.
using COLORREF = std::uint32_t;
// A COLORREF, or with the top bit set (0x800000nn) the system colour nn.
using OLE_COLOR = std::uint32_t;

using WNDPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct POINT {
    int x = 0;
    int y = 0;
};

struct SIZE {
    int cx = 0;
    int cy = 0;
};

// Right and bottom are exclusive.
struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend bool operator==(const RECT&, const RECT&) = default;
};

inline void SetRect(RECT& rect, int left, int top, int right, int bottom) { rect = {left, top, right, bottom}; }
// Negative amounts shrink the rectangle.
inline void InflateRect(RECT& rect, int dx, int dy) {
    rect.left -= dx;
    rect.top -= dy;
    rect.right += dx;
    rect.bottom += dy;
}
inline void OffsetRect(RECT& rect, int dx, int dy) {
    rect.left += dx;
    rect.right += dx;
    rect.top += dy;
    rect.bottom += dy;
}

constexpr COLORREF RGB(int red, int green, int blue) {
    return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF color) { return static_cast<int>(color & 0xFF); }
constexpr int GetGValue(COLORREF color) { return static_cast<int>((color >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF color) { return static_cast<int>((color >> 16) & 0xFF); }

// Two signed 16-bit halves in one parameter (mouse positions, item sizes).
constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(low)) |
                               (static_cast<std::uint32_t>(static_cast<std::uint16_t>(high)) << 16));
}
constexpr int LOWORD(std::uintptr_t value) { return static_cast<int>(value & 0xFFFF); }
constexpr int HIWORD(std::uintptr_t value) { return static_cast<int>((value >> 16) & 0xFFFF); }
constexpr int GET_X_LPARAM(LPARAM value) { return static_cast<std::int16_t>(value & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM value) { return static_cast<std::int16_t>((value >> 16) & 0xFFFF); }

// Rounds a * b / c to the nearest integer, halves away from zero; -1 when c is 0.
constexpr int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = (c < 0 ? -c : c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = ((product < 0 ? -product : product) + half) / (c < 0 ? -c : c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace window::ui
