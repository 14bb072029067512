// The window menu is the system's own (GetSystemMenu). The program's entries
// follow the system's; their identifiers start at 0, which the system's
// separator also has, so a program entry is looked up by identifier among
// the program's entries only: deleting or changing entry 0 never touches the
// system's separator.
#include "window/win32/ui/system_headers.h"

#include "window/ui/menu.h"

#include <map>

#include "window/ui/messages.h"
#include "window/ui/window.h"
#include "window/win32/ui/registry.h"

namespace window::ui {

namespace {

::HMENU Native(HMENU menu) { return reinterpret_cast<::HMENU>(menu); }

// Entries of the system in each window menu, counted when it was first asked for.
std::map<::HMENU, int>& SystemEntries() {
    static std::map<::HMENU, int> counts;
    return counts;
}

int FirstProgramPosition(::HMENU menu) {
    const auto found = SystemEntries().find(menu);
    return found == SystemEntries().end() ? 0 : found->second;
}

// The position of the program's entry with `id`, or of any entry by position.
int PositionOf(::HMENU menu, UINT item, UINT flags) {
    const int count = ::GetMenuItemCount(menu);
    if (flags & MF_BYPOSITION) return static_cast<int>(item) < count ? static_cast<int>(item) : -1;
    for (int position = FirstProgramPosition(menu); position < count; ++position) {
        if (::GetMenuItemID(menu, position) == item) return position;
    }
    // The system's entries by their own identifiers (SC_CLOSE and the rest).
    if (item >= SC_SIZE) {
        for (int position = 0; position < FirstProgramPosition(menu); ++position) {
            if (::GetMenuItemID(menu, position) == item) return position;
        }
    }
    return -1;
}

// While the menu is open from the program, the program's entries carry
// their identifier plus this, so that entry 0 is told apart from no choice.
constexpr UINT kTrackOffset = 0x1000;

void OffsetProgramEntries(::HMENU menu, int delta) {
    const int count = ::GetMenuItemCount(menu);
    for (int position = FirstProgramPosition(menu); position < count; ++position) {
        ::MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID;
        if (!::GetMenuItemInfoA(menu, static_cast<::UINT>(position), TRUE, &info)) continue;
        info.wID = static_cast<::UINT>(static_cast<int>(info.wID) + delta);
        ::SetMenuItemInfoA(menu, static_cast<::UINT>(position), TRUE, &info);
    }
}

}  // namespace

HMENU GetSystemMenu(HWND window, bool revert) {
    if (!IsWindow(window) || GetParent(window)) return nullptr;
    if (!(GetWindowLongPtr(window, GWL_STYLE) & WS_SYSMENU)) return nullptr;
    const ::HMENU menu = ::GetSystemMenu(win32::Native(window), revert);
    if (!menu) return nullptr;
    if (revert) SystemEntries().erase(menu);
    SystemEntries().try_emplace(menu, ::GetMenuItemCount(menu));
    return reinterpret_cast<HMENU>(menu);
}

bool AppendMenu(HMENU menu, UINT flags, UINT id, std::wstring_view text) {
    if (!menu) return false;
    const std::string bytes = win32::AnsiText(text);
    return ::AppendMenuA(Native(menu), flags, id, (flags & MF_SEPARATOR) ? nullptr : bytes.c_str());
}

bool DeleteMenu(HMENU menu, UINT item, UINT flags) {
    if (!menu) return false;
    const int position = PositionOf(Native(menu), item, flags);
    return position >= 0 && ::DeleteMenu(Native(menu), static_cast<::UINT>(position), MF_BYPOSITION);
}

bool SetMenuItemInfo(HMENU menu, UINT item, bool byPosition, const MENUITEMINFO& info) {
    if (!menu) return false;
    const int position = PositionOf(Native(menu), item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (position < 0) return false;
    std::string text = win32::AnsiText(info.text);
    ::MENUITEMINFOA system{};
    system.cbSize = sizeof(system);
    system.fMask = info.fMask;
    system.fType = info.fType;
    system.fState = info.fState;
    system.wID = info.wID;
    if ((info.fMask & MIIM_TYPE) && !(info.fType & MFT_SEPARATOR)) {
        system.dwTypeData = text.data();
        system.cch = static_cast<::UINT>(text.size());
    }
    return ::SetMenuItemInfoA(Native(menu), static_cast<::UINT>(position), TRUE, &system);
}

int GetMenuItemCount(HMENU menu) { return menu ? ::GetMenuItemCount(Native(menu)) : 0; }

int GetMenuItemID(HMENU menu, int position) {
    if (!menu || position < 0 || position >= GetMenuItemCount(menu)) return -1;
    return static_cast<int>(::GetMenuItemID(Native(menu), position));
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    const int position = menu ? PositionOf(Native(menu), item, flags) : -1;
    if (position < 0) return 0xFFFFFFFF;
    return ::GetMenuState(Native(menu), static_cast<::UINT>(position), MF_BYPOSITION);
}

std::wstring GetMenuString(HMENU menu, UINT item, UINT flags) {
    const int position = menu ? PositionOf(Native(menu), item, flags) : -1;
    if (position < 0) return {};
    char text[256] = {};
    ::GetMenuStringA(Native(menu), static_cast<::UINT>(position), text, sizeof(text), MF_BYPOSITION);
    return win32::FromAnsi(text);
}

bool ShowWindowMenu(HWND window, POINT clientPoint) {
    const HWND root = GetAncestor(window, GA_ROOT);
    const HMENU menu = GetSystemMenu(root, false);
    if (!menu) return false;
    ::POINT at{win32::ScaleToScreen(clientPoint.x), win32::ScaleToScreen(clientPoint.y)};
    ::ClientToScreen(win32::Native(window), &at);
    // The system brings its entries' states up to date when its menu opens.
    ::SendMessageA(win32::Native(root), WM_INITMENU, reinterpret_cast<::WPARAM>(Native(menu)), 0);
    OffsetProgramEntries(Native(menu), static_cast<int>(kTrackOffset));
    const auto chosen = static_cast<UINT>(::TrackPopupMenu(Native(menu), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                           at.x, at.y, 0, win32::Native(root), nullptr));
    OffsetProgramEntries(Native(menu), -static_cast<int>(kTrackOffset));
    if (chosen == 0) return true;
    const WPARAM command = chosen >= SC_SIZE ? chosen : chosen - kTrackOffset;
    ::PostMessageA(win32::Native(root), WM_SYSCOMMAND, command, 0);
    return true;
}

}  // namespace window::ui
