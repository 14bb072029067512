// Drawing over GDI: the toolkit's device contexts, fonts and brushes are the
// system's handles. The toolkit keeps the record each font was made from
// (GetObject) and counts what is not given back.
#include "window/win32/ui/system_headers.h"

#include "window/ui/gdi.h"

#include <map>
#include <set>

#include "window/win32/ui/registry.h"

namespace window::ui {

using win32::NativeDc;

namespace {

struct GdiTable {
    std::map<HFONT, LOGFONT> fonts;
    std::set<HBRUSH> brushes;
    std::set<HDC> deviceContexts;  // from GetDC, until ReleaseDC
};

GdiTable& Table() {
    static GdiTable table;
    return table;
}

}  // namespace

// The design font is a bitmap font that comes in a few sizes only; at any
// other resolution than the design's the system's scalable substitute draws
// it at its size.
::HFONT win32::CreateSystemFont(const LOGFONT& font) {
    ::LOGFONTA system{};
    system.lfHeight = font.lfHeight;
    system.lfWeight = font.lfWeight;
    system.lfItalic = font.lfItalic;
    system.lfUnderline = font.lfUnderline;
    system.lfStrikeOut = font.lfStrikeOut;
    system.lfCharSet = font.lfCharSet;
    system.lfQuality = DEFAULT_QUALITY;
    const bool substitute = font.lfFaceName == L"MS Sans Serif" && ScreenDpi() != 96;
    const std::string face = AnsiText(substitute ? L"Microsoft Sans Serif" : font.lfFaceName);
    face.copy(system.lfFaceName, sizeof(system.lfFaceName) - 1);
    return ::CreateFontIndirectA(&system);
}

// A font's height is the one figure already at the screen's resolution: a
// size in points becomes pixels with the screen's dots per inch
// (GetDeviceCaps), so 8 points are 16 pixels at 144 DPI, not 11 design
// pixels scaled to 17.
HFONT CreateFontIndirect(const LOGFONT& font) {
    const auto handle = reinterpret_cast<HFONT>(win32::CreateSystemFont(font));
    if (handle) Table().fonts[handle] = font;
    return handle;
}

bool GetObject(HFONT font, LOGFONT& out) {
    const auto found = Table().fonts.find(font);
    if (found == Table().fonts.end()) return false;
    out = found->second;
    return true;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    const auto handle = reinterpret_cast<HBRUSH>(::CreateSolidBrush(color));
    if (handle) Table().brushes.insert(handle);
    return handle;
}

bool DeleteObject(HFONT font) {
    if (!Table().fonts.erase(font)) return false;
    return ::DeleteObject(reinterpret_cast<::HGDIOBJ>(font));
}

bool DeleteObject(HBRUSH brush) {
    if (!Table().brushes.erase(brush)) return false;
    return ::DeleteObject(reinterpret_cast<::HGDIOBJ>(brush));
}

// Within a paint, the paint's own device context; otherwise the window's,
// which measures (and on this system draws at once).
HDC GetDC(HWND window) {
    win32::WindowRecord* record = win32::RecordOf(window);
    if (!record) return nullptr;
    if (record->paintDc) return win32::HandleDc(record->paintDc);
    const auto dc = win32::HandleDc(::GetDC(win32::Native(window)));
    if (dc) Table().deviceContexts.insert(dc);
    return dc;
}

bool ReleaseDC(HWND window, HDC dc) {
    if (!Table().deviceContexts.erase(dc)) return win32::RecordOf(window) != nullptr;
    return ::ReleaseDC(win32::Native(window), NativeDc(dc));
}

HDC BeginPaint(HWND window, PAINTSTRUCT& paint) {
    win32::WindowRecord* record = win32::RecordOf(window);
    if (!record || !record->paintDc) return nullptr;
    paint.hdc = win32::HandleDc(record->paintDc);
    paint.rcPaint = win32::ToDesign(record->paint.rcPaint);
    return paint.hdc;
}

void EndPaint(HWND, const PAINTSTRUCT&) {}

int GetDeviceCaps(HDC dc, int index) { return dc ? ::GetDeviceCaps(NativeDc(dc), index) : 0; }

HFONT SelectObject(HDC dc, HFONT font) {
    if (!dc || !font) return nullptr;
    return reinterpret_cast<HFONT>(::SelectObject(NativeDc(dc), reinterpret_cast<::HGDIOBJ>(font)));
}

COLORREF SetTextColor(HDC dc, COLORREF color) { return dc ? ::SetTextColor(NativeDc(dc), color) : 0; }

COLORREF SetBkColor(HDC dc, COLORREF color) { return dc ? ::SetBkColor(NativeDc(dc), color) : 0; }

int SetBkMode(HDC dc, int mode) { return dc ? ::SetBkMode(NativeDc(dc), mode) : 0; }

bool FillRect(HDC dc, const RECT& rect, HBRUSH brush) {
    if (!dc || !brush) return false;
    const ::RECT area = win32::ToScreen(rect);
    return ::FillRect(NativeDc(dc), &area, reinterpret_cast<::HBRUSH>(brush)) != 0;
}

bool DrawEdge(HDC dc, RECT& rect, unsigned edge, unsigned flags) {
    if (!dc) return false;
    ::RECT area = win32::ToScreen(rect);
    const bool drawn = ::DrawEdge(NativeDc(dc), &area, edge, flags);
    if (flags & BF_ADJUST) rect = win32::ToDesign(area);
    return drawn;
}

int DrawText(HDC dc, std::wstring_view text, RECT& rect, unsigned format) {
    if (!dc) return 0;
    std::string bytes = win32::AnsiText(text);
    ::RECT area = win32::ToScreen(rect);
    const int height = ::DrawTextA(NativeDc(dc), bytes.data(), static_cast<int>(bytes.size()), &area, format);
    if (format & DT_CALCRECT) rect = win32::ToDesign(area);
    return win32::ScaleToDesign(height);
}

COLORREF GetSysColor(int index) {
    if (index < COLOR_SCROLLBAR || index > COLOR_MENUBAR) return RGB(0, 0, 0);
    return ::GetSysColor(index);
}

std::size_t GetGdiObjectCount() {
    return Table().fonts.size() + Table().brushes.size() + Table().deviceContexts.size();
}

}  // namespace window::ui
