#pragma once
// The font a control draws with, made from its stored font for the screen
// its window is on: the size rounded to whole points (8.25 becomes 8).

#include "platform/ui/stdfont.h"
#include "platform/ui/types.h"

namespace controls {

platform::ui::HFONT CreateControlFont(const platform::ui::StdFont& font, platform::ui::HWND window);

// The placeholder a control starts with: 8 points of the dialog face.
inline const platform::ui::StdFont kPlaceholderFont{L"MS Sans Serif", 8.0};
// What a new control shows until a font is stored.
inline const platform::ui::StdFont kDefaultControlFont{L"MS Sans Serif", 8.25};

}  // namespace controls
