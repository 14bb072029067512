#pragma once
// Internal to the Qt side: the window list test hook (VELTRIX_WINDOW_LIST,
// window/ui/internal/window_list_line.h).

namespace window::ui::qt {

// With VELTRIX_WINDOW_LIST set, writes the list once the first form has
// been painted; otherwise does nothing. Call once the application exists.
void WatchForWindowList();

}  // namespace window::ui::qt
