#pragma once
// The font a control draws with, made from its stored font for the screen
// its window is on: the size rounded to whole points (8.25 becomes 8).

#include "window/ui/stdfont.h"
#include "window/ui/types.h"

namespace controls {

window::ui::HFONT CreateControlFont(const window::ui::StdFont& font, window::ui::HWND window);

// The placeholder a control starts with: 8 points of the dialog face.
inline const window::ui::StdFont kPlaceholderFont{L"MS Sans Serif", 8.0};
// What a new control shows until a font is stored.
inline const window::ui::StdFont kDefaultControlFont{L"MS Sans Serif", 8.25};

}  // namespace controls
