#pragma once
// Internal: what the toolkit keeps for each window it made on the system.
//
// A toolkit handle is the system's window handle itself, so the calls pass
// straight through. Beside it the toolkit keeps the window's procedure chain
// (the toolkit's procedures, which speak the vocabulary's records), the
// system procedure at its bottom (the class's own for the system's controls,
// DefWindowProcA for the toolkit's classes), and what the system has no
// place for: a background colour, the labelling window, the paint in
// progress.

#include "window/win32/ui/system_headers.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "window/ui/types.h"

namespace window::ui::win32 {

inline ::HWND Native(HWND window) { return reinterpret_cast<::HWND>(window); }
inline HWND Handle(::HWND window) { return reinterpret_cast<HWND>(window); }
inline ::HDC NativeDc(HDC dc) { return reinterpret_cast<::HDC>(dc); }
// HWND_TOP and HWND_BOTTOM, which the system's headers spell with a cast to
// HWND (the toolkit's HWND inside its namespace).
inline const ::HWND kFrontOfSiblings = nullptr;
inline const ::HWND kBackOfSiblings = reinterpret_cast<::HWND>(1);
inline HDC HandleDc(::HDC dc) { return reinterpret_cast<HDC>(dc); }

struct WindowRecord {
    // The toolkit's class name ("Static", "SysTabControl32", a form control's).
    std::wstring className;
    // The name tests find the window by.
    std::wstring name;
    // The toolkit's properties (the system holds them too, beside the
    // properties its own controls keep there).
    std::map<std::wstring, HANDLE> properties;
    // Top of the toolkit's chain; the bottom is `classProcedure`.
    WNDPROC procedure = nullptr;
    WNDPROC classProcedure = nullptr;
    // The system's procedure the chain ends in.
    ::WNDPROC systemProcedure = nullptr;
    // True for the system's own controls (static, tab strip, scroll bar,
    // tooltip, button): they paint themselves.
    bool systemControl = false;
    std::optional<COLORREF> background;
    HWND labelledBy = nullptr;
    // A form's: a key that starts focus marks has been pressed in it
    // (window/ui/internal/focus_marks.h).
    bool keyboardUsed = false;
    // The control's answer to a notification the system sent to its parent
    // about it (WM_HSCROLL, WM_COMMAND, WM_CTLCOLORSTATIC); nothing for the
    // parent's default.
    std::function<std::optional<LRESULT>(::UINT message, ::WPARAM wParam, ::LPARAM lParam)> reflect;
    // What the control draws over the system's painting of it (a label's
    // focus mark), with the painting done; nothing for most.
    std::function<void()> afterPaint;
    // What a form control keeps beside its window (form/form_windows.h);
    // released with the window.
    std::shared_ptr<void> controlState;
    // The pointer over the window (Control::SetMousePointer); null: the class's.
    ::HCURSOR cursor = nullptr;
    // The device context of the WM_PAINT being handled, if any.
    ::HDC paintDc = nullptr;
    ::PAINTSTRUCT paint{};
};

// Makes a window of a system class (`systemClass`, in the ANSI code page)
// and takes it into the toolkit as `className`; nullptr when the system
// refuses. Children are put in front of their siblings, as made last.
HWND CreateSystemWindow(std::wstring_view className, const char* systemClass, std::uint32_t exStyle,
                        std::wstring_view text, std::uint32_t style, int x, int y, int width, int height,
                        HWND parent, std::intptr_t id, std::wstring_view name, WNDPROC classProcedure,
                        bool systemControl);
// The toolkit's own window class for containers and forms ("VeltrixWindow"),
// registered on first use.
const char* ToolkitClass();

// Takes a new window into the toolkit: its procedure chain starts with
// `classProcedure` over the window's present system procedure, which the
// toolkit's dispatcher replaces.
void Register(::HWND window, std::wstring_view className, WNDPROC classProcedure, bool systemControl);
// Null for a window the toolkit did not make or that is gone.
WindowRecord* RecordOf(HWND window);
WindowRecord* RecordOf(::HWND window);
// Called when the system destroys the window (WM_NCDESTROY).
void Forget(::HWND window);
std::size_t RegisteredCount();
std::size_t TotalPropertyCount();

// The system's window procedure of every toolkit window: turns the system's
// messages into the vocabulary's and runs the toolkit's chain.
LRESULT CALLBACK Dispatch(::HWND window, ::UINT message, ::WPARAM wParam, ::LPARAM lParam);

// Text in the system's ANSI code page, both ways.
std::string AnsiText(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

// Whether the hourglass is over every window (SetWaitCursor).
bool WaitCursorActive();

// The keys of every window (window_keys.cpp): Ctrl+Tab and Ctrl+Page Up/Down
// between the tabs, Shift+F10 and the Menu key for the window menu; true
// when the key was one of them.
bool HandleWindowKeys(const ::MSG& message);

// The tab strip's answers beyond the system's control (tab_strip_input.cpp):
// the focus on a click, and the keys it selects with; nothing for the
// messages the system's control answers alone.
std::optional<LRESULT> TabStripInput(::HWND strip, UINT message, WPARAM wParam, LPARAM lParam);
// Selects a tab as the strip's keys do: TCN_KEYDOWN, then, for another tab,
// TCN_SELCHANGING (a non-zero answer keeps the tab), the selection and
// TCN_SELCHANGE. `index` -1 selects nothing.
void SelectTabByKey(::HWND strip, int index, ::WORD virtualKey, ::UINT keyFlags);

// Offers a key message of the loop to the active key filter; true when it
// took the key.
bool FilterKey(const ::MSG& message);

// Tab and Shift+Tab in a form: the focus to the next or previous control
// that takes it, in the order the controls were made (keyboard.cpp); true
// when the key was one of them.
bool MoveTabFocus(const ::MSG& message);

// Runs the loop of a modal form until `running` turns false; false when the
// application was asked to quit meanwhile.
bool RunModalLoop(const bool& running);

// With VELTRIX_WINDOW_LIST set: the list of the program's windows, once
// (window_list.cpp).
void WriteWindowList();

// A font the system makes from the toolkit's record (not counted among the
// program's objects); the design face is replaced by its scalable substitute
// where the screen's resolution is not the design's.
::HFONT CreateSystemFont(const LOGFONT& font);

// The module's instance, for classes and resources.
::HINSTANCE Instance();

// The toolkit's vocabulary speaks in pixels of the design (96 dots per
// inch); the system in the screen's. Every figure crosses here, each length
// or edge rounded as MulDiv rounds (to the nearest, halves away from zero),
// so that a rectangle scales edge by edge and its neighbours stay touching.
int ScreenDpi();  // read once: the program is aware of the system's DPI only
int ScaleToScreen(int designPixels);
int ScaleToDesign(int screenPixels);
::RECT ToScreen(const RECT& design);
RECT ToDesign(const ::RECT& screen);
// A point packed in an lParam (mouse messages, WM_SIZE), either way.
LPARAM PointToScreen(LPARAM design);
LPARAM PointToDesign(LPARAM screen);
// The lParam a message of the chain carries on to the system procedure: the
// screen's figure of a point or size that crossed into design pixels
// (dispatch.cpp).
::LPARAM ScreenLParam(::HWND window, UINT message, LPARAM lParam);

}  // namespace window::ui::win32
