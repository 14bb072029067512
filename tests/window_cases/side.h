#pragma once
// What the toolkit's shared cases need of the side they run on, and nothing
// more: show a window active, let the toolkit handle what waits, paint now,
// press keys and click as the user does, step a scroll bar as its arrows do,
// and a device context over a bitmap. Each side implements it once
// (tests/ui/side_qt.cpp, tests/win32/window/side_win32.cpp); the cases
// themselves speak only the toolkit's vocabulary.

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "window/ui/types.h"

namespace side {

// Why this side cannot pass the case now running, or null: a fault of the
// side, or of the system under it, that a shared case has shown and that is
// left to the side's owner (the reason says where). The case is skipped on
// that side only, with the reason, rather than lost.
const char* KnownFault();
#define SIDE_SKIP_KNOWN_FAULT()                                                   \
    do {                                                                            \
        if (const char* why = ::side::KnownFault()) GTEST_SKIP() << why;            \
    } while (false)

// Shows the window and makes it the active one, so focus changes are real.
bool ShowActive(window::ui::HWND window);

// Handles what is waiting until `done` holds or `milliseconds` have passed;
// whether it held.
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 1000);
// Handles what arrives for `milliseconds`.
void PumpFor(int milliseconds);

// Paints the window and its children now.
void Repaint(window::ui::HWND window);

// Deletes what the side keeps until control is back in its loop, so counts
// of windows and objects are final.
void Settle();

// Closing the last visible form ends the application's loop; a case that
// closes one takes that back, so that the next case's loop still runs.
void TakeBackQuit();

inline constexpr int kShift = 1;
inline constexpr int kControl = 2;

// A key (a virtual-key code) pressed and released with `modifiers` held, to
// the window that has the keyboard focus.
void PressKey(int virtualKey, int modifiers = 0);

enum class Button { Left, Right };
// A click of the mouse at `at` (client pixels of `window`), reaching whatever
// window the user would reach there.
void Click(window::ui::HWND window, window::ui::POINT at, Button button = Button::Left);
// The second of two quick clicks at the same point, after Click there.
void DoubleClick(window::ui::HWND window, window::ui::POINT at);

// What a horizontal scroll bar's arrows and ends do.
enum class ScrollStep { LineLeft, LineRight, ToLeft, ToRight };
void Scroll(window::ui::HWND bar, ScrollStep step);

// A device context over a bitmap of the given size, filled with `fill`.
class Canvas {
public:
    Canvas(int width, int height, window::ui::COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    window::ui::HDC Dc() const;
    window::ui::COLORREF Pixel(int x, int y) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace side
