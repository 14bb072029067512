#pragma once
// The tooltip window class (TOOLTIPS_CLASS). A tool is a rectangle of
// another window with a text; with TTF_SUBCLASS the tooltip window watches
// that window itself and shows the text when the mouse rests on the
// rectangle. An inactive tooltip window shows nothing.

#include <cstdint>
#include <string>

#include "window/ui/types.h"
#include "window/ui/window.h"

namespace window::ui {

inline constexpr std::uint32_t TTS_ALWAYSTIP = 0x01;  // also over inactive windows
inline constexpr std::uint32_t TTS_NOPREFIX = 0x02;   // "&" is shown as it is

inline constexpr UINT TTM_ACTIVATE = WM_USER + 1;      // wParam: active
inline constexpr UINT TTM_ADDTOOL = WM_USER + 4;       // lParam: const TOOLINFO*; returns TRUE on success
inline constexpr UINT TTM_DELTOOL = WM_USER + 5;       // lParam: const TOOLINFO* (hwnd, uId)
inline constexpr UINT TTM_NEWTOOLRECT = WM_USER + 6;   // lParam: const TOOLINFO* (hwnd, uId, rect)
inline constexpr UINT TTM_SETTOOLINFO = WM_USER + 9;   // lParam: const TOOLINFO*
inline constexpr UINT TTM_GETTEXT = WM_USER + 11;      // lParam: TOOLINFO* (hwnd, uId in; text out)
inline constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;

inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_SUBCLASS = 0x0010;

struct TOOLINFO {
    UINT flags = 0;
    HWND hwnd = nullptr;  // the window the tool belongs to
    std::uintptr_t uId = 0;
    RECT rect;  // in the tool window's client pixels
    std::wstring text;
};

}  // namespace window::ui
