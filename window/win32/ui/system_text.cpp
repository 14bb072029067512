// Text crosses to the system in its ANSI code page: the A calls take and give
// bytes in it. base/codepage converts Windows-1252 and UTF-8 itself and any
// other code page through the system's tables, which the Windows machine
// installs at start.
#include "window/win32/ui/system_headers.h"

#include "base/codepage.h"
#include "window/ui/gdi.h"
#include "window/win32/ui/registry.h"

namespace window::ui::win32 {

namespace {

base::CodePage AnsiCodePage() { return static_cast<base::CodePage>(::GetACP()); }

constexpr int kDesignDpi = 96;

}  // namespace

std::string AnsiText(std::wstring_view text) { return base::EncodeText(AnsiCodePage(), text); }

std::wstring FromAnsi(std::string_view bytes) { return base::DecodeText(AnsiCodePage(), bytes); }

::HINSTANCE Instance() { return ::GetModuleHandleA(nullptr); }

int ScreenDpi() {
    static const int dpi = [] {
        const ::HDC screen = ::GetDC(nullptr);
        const int read = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
        if (screen) ::ReleaseDC(nullptr, screen);
        return read > 0 ? read : kDesignDpi;
    }();
    return dpi;
}

int ScaleToScreen(int designPixels) { return ::MulDiv(designPixels, ScreenDpi(), kDesignDpi); }

int ScaleToDesign(int screenPixels) { return ::MulDiv(screenPixels, kDesignDpi, ScreenDpi()); }

::RECT ToScreen(const RECT& design) {
    return {ScaleToScreen(design.left), ScaleToScreen(design.top), ScaleToScreen(design.right),
            ScaleToScreen(design.bottom)};
}

RECT ToDesign(const ::RECT& screen) {
    return {ScaleToDesign(screen.left), ScaleToDesign(screen.top), ScaleToDesign(screen.right),
            ScaleToDesign(screen.bottom)};
}

LPARAM PointToScreen(LPARAM design) {
    return MAKELPARAM(ScaleToScreen(GET_X_LPARAM(design)), ScaleToScreen(GET_Y_LPARAM(design)));
}

LPARAM PointToDesign(LPARAM screen) {
    return MAKELPARAM(ScaleToDesign(GET_X_LPARAM(screen)), ScaleToDesign(GET_Y_LPARAM(screen)));
}

}  // namespace window::ui::win32
