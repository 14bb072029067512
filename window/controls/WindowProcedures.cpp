#include "window/controls/WindowProcedures.h"

#include "window/controls/InfoFrame.h"
#include "window/controls/Subclassing.h"
#include "window/controls/SunkenLabel.h"
#include "window/controls/SystemMenu.h"
#include "window/controls/TabControl.h"
#include "window/ui/gdi.h"
#include "window/ui/messages.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"

namespace controls {

namespace {

// A key was pressed in a tab strip: the selection change that follows comes
// from the keyboard and raises Click once. Shared by every tab strip.
bool g_tabKeyDown = false;

template <typename T>
T* ControlOf(ui::HWND window, std::wstring_view property) {
    return reinterpret_cast<T*>(ui::GetProp(window, property));
}

}  // namespace

ui::LRESULT TabControlWindowProc(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    const ui::WNDPROC previous = PreviousProcedure(window, kTabControlProcProperty);
    auto* control = ControlOf<TabControl>(window, kTabControlProperty);
    if (!control) return ui::CallWindowProc(previous, window, message, wParam, lParam);
    switch (message) {
        case ui::WM_SETFOCUS:
            ui::CallWindowProc(previous, window, message, wParam, lParam);
            if (window == control->ControlHwnd()) control->translator_.Translate();
            else ui::SetFocus(control->ControlHwnd());
            return 0;
        case ui::WM_NOTIFY: {
            if (window == control->ControlHwnd()) {
                ui::CallWindowProc(previous, window, message, wParam, lParam);
                return 0;
            }
            const auto* header = reinterpret_cast<const ui::NMHDR*>(lParam);
            if (!header) return 0;
            switch (header->code) {
                case ui::TCN_SELCHANGING: {
                    bool cancel = false;
                    control->BeforeClick.Raise(cancel);
                    return cancel ? 1 : 0;
                }
                case ui::TCN_SELCHANGE:
                    // The tabs may have changed rows; the tooltips follow them.
                    control->UpdateToolTips();
                    if (g_tabKeyDown) {
                        control->Click.Raise();
                        ui::SetFocus(window);
                        g_tabKeyDown = false;
                    }
                    return 0;
                case ui::TCN_KEYDOWN: {
                    const auto* key = reinterpret_cast<const ui::NMTCKEYDOWN*>(lParam);
                    control->KeyDown.Raise(static_cast<std::int16_t>(key->wVKey));
                    g_tabKeyDown = true;
                    return 0;
                }
                case ui::NM_CLICK:
                case ui::NM_RCLICK:
                    control->Click.Raise();
                    ui::SetFocus(window);
                    return 0;
                default: return 0;
            }
        }
        default: return ui::CallWindowProc(previous, window, message, wParam, lParam);
    }
}

ui::LRESULT SystemMenuWindowProc(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    const ui::WNDPROC previous = PreviousProcedure(window, kSystemMenuProcProperty);
    auto* control = ControlOf<SystemMenu>(window, kSystemMenuProperty);
    if (!control || message != ui::WM_SYSCOMMAND) return ui::CallWindowProc(previous, window, message, wParam, lParam);
    const auto command = static_cast<std::int32_t>(wParam);
    if (command >= 0 && command < control->Count()) {
        if (SystemMenuItem* item = control->SystemMenuItem(static_cast<std::int16_t>(command))) control->ItemClick.Raise(*item);
        return 0;
    }
    ui::CallWindowProc(previous, window, message, wParam, lParam);
    return 0;
}

ui::LRESULT SunkenLabelWindowProc(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    const ui::WNDPROC previous = PreviousProcedure(window, kSunkenLabelProcProperty);
    auto* control = ControlOf<SunkenLabel>(window, kSunkenLabelProperty);
    if (!control) return ui::CallWindowProc(previous, window, message, wParam, lParam);
    switch (message) {
        case ui::WM_DRAWITEM: {
            const auto* record = reinterpret_cast<const ui::DRAWITEMSTRUCT*>(lParam);
            if (!record || record->CtlType != ui::ODT_STATIC) return 1;
            ui::RECT area = record->rcItem;
            ui::DrawEdge(record->hDC, area, ui::EDGE_SUNKEN, ui::BF_RECT);
            control->DrawBackground(record->hDC, area);
            control->DrawCaption(record->hDC, area);
            return 1;
        }
        case ui::WM_LBUTTONUP:
            control->Click.Raise();
            ui::CallWindowProc(previous, window, message, wParam, lParam);
            return 0;
        case ui::WM_LBUTTONDBLCLK:
            control->DblClick.Raise();
            ui::CallWindowProc(previous, window, message, wParam, lParam);
            return 0;
        default: return ui::CallWindowProc(previous, window, message, wParam, lParam);
    }
}

ui::LRESULT InfoFrameWindowProc(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    const ui::WNDPROC previous = PreviousProcedure(window, kInfoFrameProcProperty);
    auto* control = ControlOf<InfoFrame>(window, kInfoFrameProperty);
    if (!control) return ui::CallWindowProc(previous, window, message, wParam, lParam);
    switch (message) {
        case ui::WM_PAINT:
            ui::CallWindowProc(previous, window, message, wParam, lParam);
            control->PaintGradient();
            return 0;
        case ui::WM_SIZE:
            ui::CallWindowProc(previous, window, message, wParam, lParam);
            control->FitToContainer();
            return 0;
        case ui::WM_LBUTTONUP:
            control->Click.Raise();
            ui::CallWindowProc(previous, window, message, wParam, lParam);
            return 0;
        case ui::WM_RBUTTONUP:
            ui::CallWindowProc(previous, window, message, wParam, lParam);
            control->ShowMenuAt(ui::GET_X_LPARAM(lParam), ui::GET_Y_LPARAM(lParam));
            return 0;
        case ui::WM_LBUTTONDBLCLK:
            control->DblClick.Raise();
            ui::CallWindowProc(previous, window, message, wParam, lParam);
            return 0;
        default: return ui::CallWindowProc(previous, window, message, wParam, lParam);
    }
}

}  // namespace controls
