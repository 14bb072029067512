#pragma once
// Internal: the virtual-key code of a toolkit key event, and the key
// message the event stands for.

#include <QKeyEvent>

#include "platform/ui/messages.h"

namespace platform::ui::qt {

// 0 for keys without a code.
int VirtualKeyOf(const QKeyEvent& event);

// WM_KEYDOWN / WM_KEYUP, or WM_SYSKEYDOWN / WM_SYSKEYUP while Alt is held.
MSG KeyMessageOf(HWND window, const QKeyEvent& event);

}  // namespace platform::ui::qt
