#pragma once
// What the toolkit's tests set up the same way on both sides and in the Qt
// side's own tests: the window's fifteen tabs as stored settings, a tab's
// rectangle, a plain child window, a log of the messages a procedure saw,
// and the window menu's three program entries.

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "window/controls/SystemMenu.h"
#include "window/controls/TabControl.h"
#include "window/ui/messages.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"

namespace window_cases {

namespace ui = window::ui;

// The window's tab strip as its stored form keeps it, under the name "T".
inline constexpr char kFifteenTabs[] = R"(
T.Count=15
T.MultiRow=True
T.TabText(0)="Processor"
T.TabText(1)="Geheugengebruik"
T.TabText(2)="Weergave"
T.TabText(3)="Netwerk"
T.TabText(4)="Geluid"
T.TabText(5)="Toetsenbord"
T.TabText(6)="Muis"
T.TabText(7)="Printers"
T.TabText(8)="Joysticks"
T.TabText(9)="Harde Stations"
T.TabText(10)="Optische Stations"
T.TabText(11)="Logische Stations"
T.TabText(12)="Poorten"
T.TabText(13)="USB Apparaten"
T.TabText(14)="Batterij"
)";

inline ui::RECT ItemRect(const controls::TabControl& tabs, int index) {
    ui::RECT r;
    ui::SendMessage(tabs.ControlHwnd(), ui::TCM_GETITEMRECT, static_cast<ui::WPARAM>(index), reinterpret_cast<ui::LPARAM>(&r));
    return r;
}

// A child of the toolkit's own class that does nothing of itself.
inline ui::HWND MakeControlWindow(ui::HWND parent, int x, int y, int w, int h) {
    return ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, x, y, w, h, parent);
}

// A message as a recording procedure saw it.
struct Seen {
    ui::HWND window;
    ui::UINT message;
    ui::WPARAM wParam;
    ui::LPARAM lParam;
    ui::HWND item = nullptr;  // WM_DRAWITEM: the window to draw
    ui::UINT kind = 0;        // WM_DRAWITEM: its kind
};

// The messages of `wanted` that reached `window`, in order.
inline std::vector<ui::UINT> MessagesOf(const std::vector<Seen>& seen, ui::HWND window,
                                        std::initializer_list<ui::UINT> wanted) {
    std::vector<ui::UINT> out;
    for (const Seen& s : seen)
        if (s.window == window && std::find(wanted.begin(), wanted.end(), s.message) != wanted.end())
            out.push_back(s.message);
    return out;
}

// A text entry, a separator, a text entry: the shape of the window menu's
// program entries.
inline void MakeThreeItems(controls::SystemMenu& menu) {
    menu.SetCount(3);
    menu.SystemMenuItem(0)->SetText(L"Opslaan &Als...");
    menu.SystemMenuItem(1)->SetStyle(controls::SystemMenuItem::kStyleSeparator);
    menu.SystemMenuItem(2)->SetText(L"&Over Veltrix...");
}

}  // namespace window_cases
