#include "window/controls/Colors.h"

#include <algorithm>
#include <cmath>

#include "window/ui/window.h"

namespace controls {

namespace {

constexpr int kMaxComponent = 255;

// A colour component as the form engine makes it from a single: to the
// nearest whole number, halves to the even one, kept within a byte.
int Component(float value) {
    return std::clamp(static_cast<int>(std::nearbyint(value)), 0, kMaxComponent);
}

}  // namespace

std::int32_t Colors::Translate(ui::OLE_COLOR color, ui::HPALETTE palette) {
    ui::COLORREF rgb = 0;
    if (ui::OleTranslateColor(color, palette, &rgb) != ui::S_OK) return -1;
    return static_cast<std::int32_t>(rgb);
}

float Gradient::SafeDivide(float a, float b) { return b == 0.0F ? 0.0F : a / b; }

void Gradient::Show(std::int16_t red1, std::int16_t green1, std::int16_t blue1, std::int16_t red2,
                    std::int16_t green2, std::int16_t blue2) const {
    const ui::HDC dc = ui::GetDC(owner_);
    if (!dc) return;
    ui::RECT client;
    ui::GetClientRect(owner_, client);
    const float deltaRed = static_cast<float>(red2 - red1);
    const float deltaGreen = static_cast<float>(green2 - green1);
    const float deltaBlue = static_cast<float>(blue2 - blue1);
    const int first = upDown_ ? client.top : client.left;
    const int last = upDown_ ? client.bottom : client.right;
    const auto span = static_cast<float>(last - first);
    for (int position = first; position <= last; ++position) {
        const float k = SafeDivide(span, static_cast<float>(position - first));
        const ui::COLORREF color = ui::RGB(Component(static_cast<float>(red1) + SafeDivide(deltaRed, k)),
                                           Component(static_cast<float>(green1) + SafeDivide(deltaGreen, k)),
                                           Component(static_cast<float>(blue1) + SafeDivide(deltaBlue, k)));
        const ui::HBRUSH brush = ui::CreateSolidBrush(color);
        if (!brush) continue;
        const ui::RECT band = upDown_ ? ui::RECT{client.left, position, client.right, position + 1}
                                      : ui::RECT{position, client.top, position + 1, client.bottom};
        ui::FillRect(dc, band, brush);
        ui::DeleteObject(brush);
    }
    ui::ReleaseDC(owner_, dc);
}

}  // namespace controls
