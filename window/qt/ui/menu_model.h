#pragma once
// Internal: the entries of window menus.

#include <string>
#include <vector>

#include "window/ui/types.h"

namespace window::ui::qt {

struct MenuEntry {
    UINT id = 0;
    UINT flags = 0;  // MF_GRAYED, MF_CHECKED, MF_SEPARATOR
    std::wstring text;
    bool system = false;  // one of the system's own entries
};

struct MenuModel {
    HWND window = nullptr;
    std::vector<MenuEntry> entries;
};

MenuModel* FindMenu(HMENU menu);
// Drops the menus of a window that goes away.
void ForgetMenusOf(HWND window);

}  // namespace window::ui::qt
