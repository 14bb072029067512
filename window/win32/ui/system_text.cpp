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

}  // namespace

std::string AnsiText(std::wstring_view text) { return base::EncodeText(AnsiCodePage(), text); }

std::wstring FromAnsi(std::string_view bytes) { return base::DecodeText(AnsiCodePage(), bytes); }

::HINSTANCE Instance() { return ::GetModuleHandleA(nullptr); }

int ScreenDpi() {
    const ::HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int ScaleToScreen(int designPixels) { return ::MulDiv(designPixels, ScreenDpi(), 96); }

}  // namespace window::ui::win32
