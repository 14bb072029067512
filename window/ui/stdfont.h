#pragma once
// A font as a form stores it: face name, size in points and the four
// effects. Controls turn it into a LOGFONT for the window they draw in.

#include <string>

#include "window/ui/gdi.h"

namespace window::ui {

struct StdFont {
    std::wstring name = L"MS Sans Serif";
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    friend bool operator==(const StdFont&, const StdFont&) = default;
};

// Rounds to a whole number, a half to the even number (8.25 -> 8, 8.5 -> 8,
// 9.5 -> 10).
int RoundHalfEven(double value);

// The LOGFONT a control makes from a stored font: the size rounded to whole
// points (see RoundHalfEven) and turned into a character height of
// -MulDiv(points, dotsPerInch, 72); weight 700 when bold, else 400.
LOGFONT LogFontFromStdFont(const StdFont& font, int dotsPerInch);

}  // namespace window::ui
