#pragma once
// The system's clipboard, for text: what a person copies out of the window
// pastes anywhere on the desktop.

#include <string>
#include <string_view>

#include "window/ui/types.h"

namespace window::ui {

// Puts `text` on the clipboard in place of what was there, as Unicode text
// (`owner` is the window that copies, null for none); false when the
// clipboard could not be taken.
bool SetClipboardText(HWND owner, std::wstring_view text);
// The clipboard's text; empty when it holds none.
std::wstring GetClipboardText();

}  // namespace window::ui
