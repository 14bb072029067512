#pragma once
// A straight line from (X1, Y1) to (X2, Y2) in its container's pixels, one
// pixel wide; the end point itself is not drawn. It takes no mouse input.

#include <string>

#include "window/form/control.h"

namespace window::form {

inline constexpr ui::OLE_COLOR kWindowTextColor = 0x80000008;

class Line : public Control {
public:
    Line(ui::HWND parent, std::wstring name, int x1, int y1, int x2, int y2);

    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    void SetPoints(int x1, int y1, int x2, int y2);
    void SetX2(int x2) { SetPoints(x1_, y1_, x2, y2_); }
    ui::OLE_COLOR BorderColor() const { return color_; }
    void SetBorderColor(ui::OLE_COLOR color);

private:
    int x1_;
    int y1_;
    int x2_;
    int y2_;
    ui::OLE_COLOR color_ = kWindowTextColor;
};

}  // namespace window::form
