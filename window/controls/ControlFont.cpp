#include "window/controls/ControlFont.h"

#include "window/ui/gdi.h"

namespace controls {

namespace ui = window::ui;

ui::HFONT CreateControlFont(const ui::StdFont& font, ui::HWND window) {
    constexpr int kDesignDotsPerInch = 96;
    const ui::HDC dc = ui::GetDC(window);
    int dotsPerInch = ui::GetDeviceCaps(dc, ui::LOGPIXELSY);
    ui::ReleaseDC(window, dc);
    if (dotsPerInch <= 0) dotsPerInch = kDesignDotsPerInch;
    return ui::CreateFontIndirect(ui::LogFontFromStdFont(font, dotsPerInch));
}

}  // namespace controls
