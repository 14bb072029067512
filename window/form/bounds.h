#pragma once
// Positions on a form. Forms are designed in twips, 15 to the pixel at the
// design resolution; at run time every position and size is in pixels.

namespace window::form {

inline constexpr int kTwipsPerPixel = 15;

// Rounds half away from zero.
constexpr int TwipsToPixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// Left, top, width and height in pixels.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

// Bounds from a design position in twips.
constexpr Bounds Twips(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace window::form
