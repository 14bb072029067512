#pragma once
// The tab-strip window class (WC_TABCONTROL): one or several rows of tabs,
// drawn by the desktop's style, that the user selects with the mouse or the
// keyboard. The parent hears about it through WM_NOTIFY:
//   TCN_KEYDOWN     a key was pressed (NMTCKEYDOWN), before anything moves;
//   TCN_SELCHANGING the selection is about to change; answer non-zero to keep it;
//   TCN_SELCHANGE   the selection has changed;
//   NM_CLICK        the left button was released over a tab;
//   NM_RCLICK       the right button was released over a tab (the selection stays).
// A click on another tab sends TCN_SELCHANGING and TCN_SELCHANGE on the
// press and NM_CLICK on the release. Left/Up, Right/Down, Page Up/Page Down
// move to the previous or next tab, Home and End to the first and last.
//
// In several rows (TCS_MULTILINE) the row of the selected tab always lies
// next to the page; with TCS_SCROLLOPPOSITE the rows in front of it move to
// the far side of the page instead of rotating behind it.

#include <cstdint>
#include <string>

#include "window/ui/messages.h"
#include "window/ui/types.h"

namespace window::ui {

// Styles.
inline constexpr std::uint32_t TCS_SCROLLOPPOSITE = 0x0001;
inline constexpr std::uint32_t TCS_BOTTOM = 0x0002;
inline constexpr std::uint32_t TCS_RIGHT = 0x0002;
inline constexpr std::uint32_t TCS_FLATBUTTONS = 0x0008;
inline constexpr std::uint32_t TCS_HOTTRACK = 0x0040;
inline constexpr std::uint32_t TCS_VERTICAL = 0x0080;
inline constexpr std::uint32_t TCS_BUTTONS = 0x0100;
inline constexpr std::uint32_t TCS_MULTILINE = 0x0200;
inline constexpr std::uint32_t TCS_FIXEDWIDTH = 0x0400;
inline constexpr std::uint32_t TCS_RAGGEDRIGHT = 0x0800;
inline constexpr std::uint32_t TCS_FOCUSNEVER = 0x8000;
// Extended style: separators between flat buttons.
inline constexpr std::uint32_t TCS_EX_FLATSEPARATORS = 0x0001;

// Messages.
inline constexpr UINT TCM_FIRST = 0x1300;
inline constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
inline constexpr UINT TCM_GETITEM = TCM_FIRST + 5;     // wParam index; lParam TCITEM* (filled)
inline constexpr UINT TCM_SETITEM = TCM_FIRST + 6;     // wParam index; lParam const TCITEM*
inline constexpr UINT TCM_INSERTITEM = TCM_FIRST + 7;  // wParam index; lParam const TCITEM*; returns the index or -1
inline constexpr UINT TCM_DELETEITEM = TCM_FIRST + 8;
inline constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
inline constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;  // wParam index; lParam RECT*
inline constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
inline constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;  // no notifications; returns the previous selection
inline constexpr UINT TCM_HITTEST = TCM_FIRST + 13;    // lParam TCHITTESTINFO*; returns the index or -1
inline constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;  // wParam FALSE: window rect in lParam becomes the page rect
inline constexpr UINT TCM_SETITEMSIZE = TCM_FIRST + 41;  // lParam MAKELPARAM(width, height); returns the previous size
inline constexpr UINT TCM_SETPADDING = TCM_FIRST + 43;
inline constexpr UINT TCM_GETROWCOUNT = TCM_FIRST + 44;
inline constexpr UINT TCM_SETEXTENDEDSTYLE = TCM_FIRST + 52;  // wParam mask; lParam bits; returns the previous
inline constexpr UINT TCM_GETEXTENDEDSTYLE = TCM_FIRST + 53;

// Notifications.
inline constexpr int TCN_KEYDOWN = -550;
inline constexpr int TCN_SELCHANGE = -551;
inline constexpr int TCN_SELCHANGING = -552;

inline constexpr UINT TCIF_TEXT = 0x0001;
inline constexpr UINT TCIF_PARAM = 0x0008;

struct TCITEM {
    UINT mask = 0;
    std::wstring text;
    LPARAM lParam = 0;
};

inline constexpr UINT TCHT_NOWHERE = 0x0001;
inline constexpr UINT TCHT_ONITEMLABEL = 0x0004;
inline constexpr UINT TCHT_ONITEM = 0x0006;

struct TCHITTESTINFO {
    POINT pt;
    UINT flags = 0;
};

struct NMTCKEYDOWN {
    NMHDR hdr;
    std::uint16_t wVKey = 0;
    UINT flags = 0;  // the key message's lParam
};

}  // namespace window::ui
