// The system's messages into the toolkit's chain. Most messages carry the
// same numbers in both (mouse, keys, focus, size, system commands) and go up
// the chain unchanged; the toolkit's procedures hand what they do not handle
// down to the system procedure at the bottom (DefWindowProc, window.cpp).
// Records the system points to are read into the vocabulary's records
// (WM_NOTIFY, WM_DRAWITEM); a control's notifications that the system sends
// to its parent (scroll bars, static colours, buttons) go back to the
// control that sent them. Points and sizes cross into design pixels (the
// mouse's place, WM_SIZE, an owner-drawn item's rectangle).
#include "window/win32/ui/system_headers.h"

#include <vector>

#include "window/ui/messages.h"
#include "window/ui/tab_strip.h"
#include "window/win32/ui/registry.h"

namespace window::ui::win32 {

namespace {

// A message whose point or size crossed into design pixels, beside the
// screen's figure it came with: the system procedure at the bottom of the
// chain gets that figure back, not the design's scaled again (which could be
// a pixel off).
struct Crossed {
    ::HWND window;
    UINT message;
    LPARAM design;
    ::LPARAM screen;
};

std::vector<Crossed>& CrossedMessages() {
    static std::vector<Crossed> messages;
    return messages;
}

bool CarriesPoint(UINT message) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
        case WM_MOUSEHOVER:
        case WM_SIZE: return true;
        default: return false;
    }
}

LRESULT RunChain(::HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* record = RecordOf(window);
    if (!record || !record->procedure) return 0;
    return record->procedure(Handle(window), message, wParam, lParam);
}

LRESULT SystemDefault(const WindowRecord& record, ::HWND window, ::UINT message, ::WPARAM wParam, ::LPARAM lParam) {
    return ::CallWindowProcA(record.systemProcedure, window, message, wParam, lParam);
}

// A tab strip's notification in the vocabulary's record; other controls'
// notifications in the common header.
LRESULT Notify(::HWND window, const ::NMHDR& header, ::LPARAM lParam) {
    if (header.code == static_cast<::UINT>(TCN_KEYDOWN)) {
        const auto& key = *reinterpret_cast<const ::NMTCKEYDOWN*>(lParam);
        NMTCKEYDOWN record;
        record.hdr = {Handle(header.hwndFrom), header.idFrom, static_cast<int>(header.code)};
        record.wVKey = key.wVKey;
        record.flags = key.flags;
        return RunChain(window, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&record));
    }
    NMHDR record{Handle(header.hwndFrom), header.idFrom, static_cast<int>(header.code)};
    return RunChain(window, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&record));
}

LRESULT DrawItem(::HWND window, const ::DRAWITEMSTRUCT& item) {
    DRAWITEMSTRUCT record;
    record.CtlType = item.CtlType;
    record.CtlID = item.CtlID;
    record.itemID = item.itemID;
    record.itemAction = item.itemAction;
    record.itemState = item.itemState;
    record.hwndItem = Handle(item.hwndItem);
    record.hDC = HandleDc(item.hDC);
    record.rcItem = ToDesign(item.rcItem);
    record.itemData = item.itemData;
    return RunChain(window, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&record));
}

// Up the chain in design pixels; the system's figure kept for the bottom.
LRESULT RunChainInDesign(::HWND window, UINT message, WPARAM wParam, ::LPARAM lParam) {
    const LPARAM design = PointToDesign(lParam);
    CrossedMessages().push_back({window, message, design, lParam});
    const LRESULT answer = RunChain(window, message, wParam, design);
    CrossedMessages().pop_back();
    return answer;
}

// A window of the toolkit's own classes: the background, then the chain's
// painting, with the paint's device context for GetDC and BeginPaint.
LRESULT Paint(::HWND window) {
    WindowRecord* record = RecordOf(window);
    ::PAINTSTRUCT paint{};
    const ::HDC dc = ::BeginPaint(window, &paint);
    record->paintDc = dc;
    record->paint = paint;
    RunChain(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RunChain(window, WM_PAINT, 0, 0);
    if (WindowRecord* still = RecordOf(window)) still->paintDc = nullptr;
    ::EndPaint(window, &paint);
    return 0;
}

// The control that sent a notification to its parent.
::HWND Sender(::UINT message, ::LPARAM lParam) {
    switch (message) {
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_COMMAND:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORBTN: return reinterpret_cast<::HWND>(lParam);
        default: return nullptr;
    }
}

}  // namespace

::LPARAM ScreenLParam(::HWND window, UINT message, LPARAM lParam) {
    if (!CarriesPoint(message)) return lParam;
    for (auto crossed = CrossedMessages().rbegin(); crossed != CrossedMessages().rend(); ++crossed) {
        if (crossed->window == window && crossed->message == message && crossed->design == lParam) return crossed->screen;
    }
    return PointToScreen(lParam);
}

LRESULT CALLBACK Dispatch(::HWND window, ::UINT message, ::WPARAM wParam, ::LPARAM lParam) {
    WindowRecord* record = RecordOf(window);
    if (!record) return ::DefWindowProcA(window, message, wParam, lParam);
    if (const ::HWND sender = Sender(message, lParam)) {
        WindowRecord* control = RecordOf(sender);
        if (control && control->reflect) {
            if (auto answer = control->reflect(message, wParam, lParam)) return *answer;
        }
        return SystemDefault(*record, window, message, wParam, lParam);
    }
    switch (message) {
        case WM_NCDESTROY: {
            const ::WNDPROC system = record->systemProcedure;
            Forget(window);
            return ::CallWindowProcA(system, window, message, wParam, lParam);
        }
        case WM_NOTIFY:
            if (!lParam) return 0;
            return Notify(window, *reinterpret_cast<const ::NMHDR*>(lParam), lParam);
        case WM_DRAWITEM:
            if (!lParam) return 0;
            return DrawItem(window, *reinterpret_cast<const ::DRAWITEMSTRUCT*>(lParam));
        case WM_SETCURSOR:
            // The hourglass over every window; else the window's own pointer.
            if (LOWORD(lParam) == HTCLIENT && (WaitCursorActive() || record->cursor)) {
                ::SetCursor(WaitCursorActive() ? ::LoadCursorA(nullptr, reinterpret_cast<const char*>(IDC_WAIT))
                                               : record->cursor);
                return TRUE;
            }
            return RunChain(window, message, wParam, lParam);
        case WM_PAINT:
            if (record->systemControl) {
                const LRESULT painted = SystemDefault(*record, window, message, wParam, lParam);
                if (WindowRecord* still = RecordOf(window); still && still->afterPaint) still->afterPaint();
                return painted;
            }
            return Paint(window);
        case WM_ERASEBKGND:
            // The toolkit's classes erase within WM_PAINT.
            if (record->systemControl) return SystemDefault(*record, window, message, wParam, lParam);
            return 1;
        // Text and styles as the system keeps them; the vocabulary's text
        // messages carry its own strings (DefWindowProc turns them).
        case WM_SETTEXT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
        case WM_STYLECHANGED:
        case WM_STYLECHANGING:
        case WM_NCCREATE:
        case WM_CREATE: return SystemDefault(*record, window, message, wParam, lParam);
        default:
            // A control's own messages from outside the toolkit (a screen
            // reader asking a tab strip for its items) carry the system's
            // records: the control answers them itself.
            if (record->systemControl && message >= WM_USER) return SystemDefault(*record, window, message, wParam, lParam);
            if (CarriesPoint(message)) return RunChainInDesign(window, message, wParam, lParam);
            return RunChain(window, message, wParam, lParam);
    }
}

}  // namespace window::ui::win32
