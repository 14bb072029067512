#include "window/ui/stdfont.h"

#include <cmath>

namespace window::ui {

int RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5) return static_cast<int>(floor) + 1;
    if (fraction < 0.5) return static_cast<int>(floor);
    const int lower = static_cast<int>(floor);
    return (lower % 2 == 0) ? lower : lower + 1;
}

LOGFONT LogFontFromStdFont(const StdFont& font, int dotsPerInch) {
    constexpr int kPointsPerInch = 72;
    LOGFONT log;
    log.lfHeight = -MulDiv(RoundHalfEven(font.size), dotsPerInch, kPointsPerInch);
    log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    log.lfItalic = font.italic;
    log.lfUnderline = font.underline;
    log.lfStrikeOut = font.strikethrough;
    log.lfCharSet = 0;
    log.lfFaceName = font.name;
    return log;
}

}  // namespace window::ui
