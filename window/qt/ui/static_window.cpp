// The static class: a text, or with SS_OWNERDRAW a box its parent draws when
// asked with WM_DRAWITEM. Unless SS_NOTIFY is set it lets the mouse through
// to its parent, which therefore sees the clicks.

#include <QPainter>

#include "window/ui/gdi.h"
#include "window/qt/ui/gdi_objects.h"
#include "window/qt/ui/window_classes.h"
#include "window/ui/window.h"

namespace window::ui::qt {

namespace {

void ApplyMouseTransparency(QWidget* widget, std::uint32_t style) {
    widget->setAttribute(Qt::WA_TransparentForMouseEvents, !(style & SS_NOTIFY));
}

void PaintStatic(HWND window, WindowRecord& record) {
    PAINTSTRUCT paint;
    BeginPaint(window, paint);
    if ((record.style & SS_TYPEMASK) == SS_OWNERDRAW) {
        DRAWITEMSTRUCT item;
        item.CtlType = ODT_STATIC;
        item.CtlID = static_cast<UINT>(record.id);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = record.widget->isEnabled() ? 0 : ODS_DISABLED;
        item.hwndItem = window;
        item.hDC = paint.hdc;
        item.rcItem = paint.rcPaint;
        SendMessage(GetParent(window), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    } else {
        unsigned format = DT_WORDBREAK;
        if ((record.style & SS_TYPEMASK) == SS_CENTER) format |= DT_CENTER;
        else if ((record.style & SS_TYPEMASK) == SS_RIGHT) format |= DT_RIGHT;
        SelectObject(paint.hdc, record.font);
        SetBkMode(paint.hdc, TRANSPARENT);
        SetTextColor(paint.hdc, GetSysColor(record.widget->isEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        RECT area = paint.rcPaint;
        DrawText(paint.hdc, record.text, area, format);
    }
    EndPaint(window, paint);
}

LRESULT StaticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* record = FindRecord(window);
    if (!record) return 0;
    switch (message) {
        case WM_PAINT: PaintStatic(window, *record); return 0;
        case WM_ERASEBKGND:
            // The parent paints an owner-drawn static entirely.
            if ((record->style & SS_TYPEMASK) == SS_OWNERDRAW) return 1;
            return DefWindowProc(window, message, wParam, lParam);
        case WM_STYLECHANGED:
            ApplyMouseTransparency(record->widget, record->style);
            record->widget->update();
            return 0;
        default: return DefWindowProc(window, message, wParam, lParam);
    }
}

}  // namespace

const WindowClassInfo kStaticClassInfo{
    .name = WC_STATIC,
    .procedure = &StaticProcedure,
    .doubleClicks = false,
    .ownsInput = false,
    .mouseMoves = false,
};

QWidget* CreateStaticWidget(QWidget* parent, std::uint32_t style) {
    auto* widget = new HostWidget(parent);
    ApplyMouseTransparency(widget, style);
    return widget;
}

}  // namespace window::ui::qt
