#pragma once
// When a form starts showing focus marks, the same on both sides: a form
// shows none while it is only looked at and clicked, and from the first key
// that moves about or types in it on (for the rest of its life). A modifier
// pressed alone is no such key, nor Ctrl+C, which copies the value a click
// focused and leaves the window as it was drawn.

#include "window/ui/messages.h"

namespace window::ui {

inline constexpr int kCopyKey = 'C';

inline bool KeyStartsFocusMarks(int virtualKey, bool controlHeld) {
    switch (virtualKey) {
        case VK_SHIFT:
        case VK_CONTROL:
        case VK_MENU:
        case VK_LWIN:
        case VK_LWIN + 1:  // the right Windows key
            return false;
        default:
            return !(controlHeld && virtualKey == kCopyKey);
    }
}

}  // namespace window::ui
