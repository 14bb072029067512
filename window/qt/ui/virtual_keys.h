#pragma once
// Internal: the virtual-key code of a toolkit key event, and the key
// message the event stands for.

#include <QKeyEvent>

#include "window/ui/messages.h"

namespace window::ui::qt {

// 0 for keys without a code.
int VirtualKeyOf(const QKeyEvent& event);

// WM_KEYDOWN / WM_KEYUP, or WM_SYSKEYDOWN / WM_SYSKEYUP while Alt is held.
MSG KeyMessageOf(HWND window, const QKeyEvent& event);

}  // namespace window::ui::qt
