#pragma once
// The window menu of a top-level window. The window manager owns the title
// bar on this desktop, so the menu opens from the program itself: from the
// header's icon (ShowWindowMenu) and with Alt+Space. It starts with the
// system's own entries (restore, minimise, maximise, a separator, close),
// enabled as the window's state allows; the program appends its entries
// below them. Picking an entry sends WM_SYSCOMMAND with its identifier to
// the window; the class's default handling of the system's identifiers
// restores, minimises, maximises or closes it.

#include <cstdint>
#include <string>
#include <string_view>

#include "window/ui/types.h"

namespace window::ui {

inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_SEPARATOR = 0x0800;

inline constexpr UINT MIIM_STATE = 0x0001;
inline constexpr UINT MIIM_ID = 0x0002;
inline constexpr UINT MIIM_TYPE = 0x0010;  // fType and the text
inline constexpr UINT MFT_STRING = 0x0000;
inline constexpr UINT MFT_SEPARATOR = 0x0800;
inline constexpr UINT MFS_ENABLED = 0x0000;
inline constexpr UINT MFS_GRAYED = 0x0003;
inline constexpr UINT MFS_CHECKED = 0x0008;

struct MENUITEMINFO {
    UINT fMask = 0;
    UINT fType = MFT_STRING;
    UINT fState = MFS_ENABLED;
    UINT wID = 0;
    std::wstring text;  // "&" marks the access key
};

// The window's menu, made with the system's entries on first use; nullptr
// for a window that is not a top-level window with WS_SYSMENU.
HMENU GetSystemMenu(HWND window, bool revert);
bool AppendMenu(HMENU menu, UINT flags, UINT id, std::wstring_view text);
// Removes the first entry with the identifier (MF_BYCOMMAND) or at the
// position (MF_BYPOSITION); false when there is none.
bool DeleteMenu(HMENU menu, UINT item, UINT flags);
// Changes the first entry with identifier `item` (byPosition false).
bool SetMenuItemInfo(HMENU menu, UINT item, bool byPosition, const MENUITEMINFO& info);

int GetMenuItemCount(HMENU menu);
// The identifier at a position; -1 for a position that does not exist.
int GetMenuItemID(HMENU menu, int position);
// MF_ flags of an entry (MF_GRAYED, MF_CHECKED, MF_SEPARATOR); 0xFFFFFFFF when absent.
// The system's entries report the state the menu would open with now.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
std::wstring GetMenuString(HMENU menu, UINT item, UINT flags);

// Opens the window's menu below `clientPoint` (the window's client pixels).
// Returns at once; the choice arrives as WM_SYSCOMMAND.
bool ShowWindowMenu(HWND window, POINT clientPoint);

}  // namespace window::ui
