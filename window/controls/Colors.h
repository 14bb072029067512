#pragma once
// Colour values into RGB, and the header's gradient.

#include <cstdint>

#include "window/ui/gdi.h"
#include "window/ui/types.h"

namespace controls {

namespace ui = window::ui;

class Colors {
public:
    // The RGB of a colour value: RGB values as they are, 0x800000nn the
    // desktop's system colour nn; -1 for a value that names no colour.
    static std::int32_t Translate(ui::OLE_COLOR color, ui::HPALETTE palette = 0);
};

// Paints a window's client area from one colour to another, a line or a
// column at a time. Used while the window paints.
class Gradient {
public:
    ui::HWND OwnerHwnd() const { return owner_; }
    void SetOwnerHwnd(ui::HWND window) { owner_ = window; }
    // True: from top to bottom; false: from left to right.
    bool UpDown() const { return upDown_; }
    void SetUpDown(bool upDown) { upDown_ = upDown; }

    // Column (row) n of a client area w wide gets the first colour plus
    // difference / (w / n), in single precision, halves rounded to the even
    // number: column 0 has the first colour exactly, the column one past the
    // far edge would have the second.
    void Show(std::int16_t red1, std::int16_t green1, std::int16_t blue1, std::int16_t red2, std::int16_t green2,
              std::int16_t blue2) const;

    // a / b, or 0 when b is 0.
    static float SafeDivide(float a, float b);

private:
    ui::HWND owner_ = nullptr;
    bool upDown_ = false;
};

}  // namespace controls
