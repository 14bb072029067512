#pragma once
// The window procedures of the program's controls. Each finds its control
// and the procedure it replaced through the window's properties (names in
// the constants below) and hands every message it does not handle on.

#include <string_view>

#include "window/ui/types.h"

namespace controls {

namespace ui = window::ui;

inline constexpr std::wstring_view kTabControlProcProperty = L"TabControlWindowProc";
inline constexpr std::wstring_view kTabControlProperty = L"TabControl";
inline constexpr std::wstring_view kSystemMenuProcProperty = L"SystemMenuWindowProc";
inline constexpr std::wstring_view kSystemMenuProperty = L"SystemMenu";
inline constexpr std::wstring_view kSunkenLabelProcProperty = L"SunkenLabelWindowProc";
inline constexpr std::wstring_view kSunkenLabelProperty = L"SunkenLabel";
inline constexpr std::wstring_view kInfoFrameProcProperty = L"InfoFrameWindowProc";
inline constexpr std::wstring_view kInfoFrameProperty = L"InfoFrame";

// On the tab control's own window and on its tab-strip window: focus goes on
// to the tab strip and starts its key translation; the strip's notifications
// become BeforeClick, Click and KeyDown.
ui::LRESULT TabControlWindowProc(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam);
// On the form's window: the system command of one of the control's entries
// becomes ItemClick; the system's own commands go on.
ui::LRESULT SystemMenuWindowProc(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam);
// On the sunken label's own window: draws the owner-drawn box, raises Click
// and DblClick.
ui::LRESULT SunkenLabelWindowProc(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam);
// On the header's window: paints the gradient, follows the container's size,
// raises Click and DblClick.
ui::LRESULT InfoFrameWindowProc(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam);

}  // namespace controls
