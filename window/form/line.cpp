// A line keeps its points; its window is the box around its pixels, drawn
// by the side.
#include "window/form/line.h"

#include <algorithm>
#include <cstdlib>

#include "window/form/internal/side.h"
#include "window/ui/window.h"

namespace window::form {

// A slanted line covers one more pixel in each direction than its extent:
// both end columns and rows.
Bounds LineBox(int x1, int y1, int x2, int y2) {
    const int diagonal = x1 != x2 && y1 != y2 ? 1 : 0;
    return {std::min(x1, x2), std::min(y1, y2), std::max(1, std::abs(x2 - x1)) + diagonal,
            std::max(1, std::abs(y2 - y1)) + diagonal};
}

Line::Line(ui::HWND parent, std::wstring name, int x1, int y1, int x2, int y2)
    : Control(side::CreateLineWindow(parent, name, LineBox(x1, y1, x2, y2)), name), x1_(x1), y1_(y1), x2_(x2), y2_(y2) {}

void Line::SetPoints(int x1, int y1, int x2, int y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Move(LineBox(x1, y1, x2, y2));
    ui::InvalidateRect(Hwnd(), nullptr, true);
}

void Line::SetBorderColor(ui::OLE_COLOR color) {
    color_ = color;
    ui::InvalidateRect(Hwnd(), nullptr, true);
}

}  // namespace window::form
