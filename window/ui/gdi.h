#pragma once
// Drawing: device contexts, fonts, solid brushes, filling, edges, text and
// the system's colours.
//
// A device context draws only while its window is being painted: inside
// WM_PAINT (BeginPaint or GetDC), inside WM_ERASEBKGND and inside
// WM_DRAWITEM (the record's hDC). Taken at any other time it can measure
// (fonts, dots per inch) but draws nothing. Every object made here is
// counted until it is given back, so a test can see what a control leaks.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "window/ui/types.h"

namespace window::ui {

// GetDeviceCaps.
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

// Font weights.
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;

struct LOGFONT {
    // Negative: the character height in pixels (the em size). Positive: the
    // cell height, character and internal leading. 0: a default size.
    int lfHeight = 0;
    int lfWeight = FW_NORMAL;
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    std::uint8_t lfCharSet = 0;
    std::wstring lfFaceName;
    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};

HFONT CreateFontIndirect(const LOGFONT& font);
// The record a font was made from; false for a handle that is not a font.
bool GetObject(HFONT font, LOGFONT& out);
HBRUSH CreateSolidBrush(COLORREF color);
bool DeleteObject(HFONT font);
bool DeleteObject(HBRUSH brush);

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    RECT rcPaint;
};

HDC GetDC(HWND window);
bool ReleaseDC(HWND window, HDC dc);
// Within WM_PAINT: the device context of the paint and the area to paint.
HDC BeginPaint(HWND window, PAINTSTRUCT& paint);
void EndPaint(HWND window, const PAINTSTRUCT& paint);
int GetDeviceCaps(HDC dc, int index);

// Selecting a font returns the one it replaced (nullptr for the default).
HFONT SelectObject(HDC dc, HFONT font);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
int SetBkMode(HDC dc, int mode);

bool FillRect(HDC dc, const RECT& rect, HBRUSH brush);

// DrawEdge: two borders, outer and inner, each raised or sunken.
inline constexpr unsigned BDR_RAISEDOUTER = 0x0001;
inline constexpr unsigned BDR_SUNKENOUTER = 0x0002;
inline constexpr unsigned BDR_RAISEDINNER = 0x0004;
inline constexpr unsigned BDR_SUNKENINNER = 0x0008;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
inline constexpr unsigned BF_LEFT = 0x0001;
inline constexpr unsigned BF_TOP = 0x0002;
inline constexpr unsigned BF_RIGHT = 0x0004;
inline constexpr unsigned BF_BOTTOM = 0x0008;
inline constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr unsigned BF_ADJUST = 0x2000;  // shrink rect by what was drawn

// Each border is one pixel: the outer one along the rectangle, the inner one
// inside it. Sunken: dark above and left, light below and right.
bool DrawEdge(HDC dc, RECT& rect, unsigned edge, unsigned flags);

// DrawText format flags.
inline constexpr unsigned DT_LEFT = 0x0000;
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_VCENTER = 0x0004;  // with DT_SINGLELINE
inline constexpr unsigned DT_BOTTOM = 0x0008;   // with DT_SINGLELINE
inline constexpr unsigned DT_WORDBREAK = 0x0010;
inline constexpr unsigned DT_SINGLELINE = 0x0020;
inline constexpr unsigned DT_EXPANDTABS = 0x0040;
inline constexpr unsigned DT_NOCLIP = 0x0100;
inline constexpr unsigned DT_CALCRECT = 0x0400;  // measure into rect, draw nothing
inline constexpr unsigned DT_NOPREFIX = 0x0800;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;
inline constexpr unsigned DT_HIDEPREFIX = 0x00100000;

// Draws `text` into `rect` with the selected font and text colour, filling
// behind it with the background colour unless the mode is TRANSPARENT.
// Unless DT_NOPREFIX is given, "&" marks the next character as the access
// key: it is underlined and the "&" not shown; "&&" shows one "&". Returns
// the height of the text. With DT_CALCRECT only measures: the rectangle's
// right and bottom are set to fit the text.
int DrawText(HDC dc, std::wstring_view text, RECT& rect, unsigned format);

// System colours, taken from the desktop's palette.
inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_BACKGROUND = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_INACTIVECAPTION = 3;
inline constexpr int COLOR_MENU = 4;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_ACTIVEBORDER = 10;
inline constexpr int COLOR_INACTIVEBORDER = 11;
inline constexpr int COLOR_APPWORKSPACE = 12;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;
inline constexpr int COLOR_HOTLIGHT = 26;
inline constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
inline constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
inline constexpr int COLOR_MENUHILIGHT = 29;
inline constexpr int COLOR_MENUBAR = 30;

// Black for an index outside the table.
COLORREF GetSysColor(int index);

// The colour of an OLE_COLOR: an RGB value as it is; 0x800000nn the system
// colour nn. HPALETTE is always 0 here: there are no palettes.
using HPALETTE = std::uintptr_t;
inline constexpr std::int32_t S_OK = 0;
inline constexpr std::int32_t E_INVALIDARG = static_cast<std::int32_t>(0x80070057);
std::int32_t OleTranslateColor(OLE_COLOR color, HPALETTE palette, COLORREF* out);

// Font, brush and device-context objects not yet given back.
std::size_t GetGdiObjectCount();

}  // namespace window::ui
