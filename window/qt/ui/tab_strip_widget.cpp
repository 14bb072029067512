// The tab-strip class: rows of tabs drawn with the desktop's style, selection
// by mouse and keyboard, and the notifications its parent relies on.

#include <algorithm>
#include <utility>

#include "window/ui/gdi.h"
#include "window/ui/internal/tab_keys.h"
#include "window/qt/ui/accessible_tab_strip.h"
#include "window/qt/ui/gdi_objects.h"
#include "window/qt/ui/tab_strip_widget.h"
#include "window/qt/ui/window_classes.h"
#include "window/ui/window.h"

namespace window::ui::qt {

namespace {

LRESULT Notify(HWND window, int code, NMHDR* header = nullptr) {
    NMHDR plain;
    NMHDR* hdr = header ? header : &plain;
    hdr->hwndFrom = window;
    hdr->idFrom = static_cast<std::uintptr_t>(GetWindowLongPtr(window, GWLP_ID));
    hdr->code = code;
    return SendMessage(GetParent(window), WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
}

LRESULT TabStripProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* strip = WidgetAs<TabStripWidget>(window);
    if (!strip) return DefWindowProc(window, message, wParam, lParam);
    const QPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
        case TCM_GETITEMCOUNT: return strip->Count();
        case TCM_INSERTITEM: {
            const auto* item = reinterpret_cast<const TCITEM*>(lParam);
            if (!item || static_cast<std::intptr_t>(wParam) < 0) return -1;
            const int index = std::min(static_cast<int>(wParam), strip->Count());
            TabItem added;
            if (item->mask & TCIF_TEXT) added.text = item->text;
            if (item->mask & TCIF_PARAM) added.param = item->lParam;
            strip->items.insert(strip->items.begin() + index, added);
            // The first tab of an empty strip becomes the selected one.
            if (strip->current < 0) strip->current = 0;
            else if (index <= strip->current) ++strip->current;
            strip->Relayout();
            AnnounceTabInserted(*strip, index);
            return index;
        }
        case TCM_SETITEM:
        case TCM_GETITEM: {
            const int index = static_cast<int>(wParam);
            auto* item = reinterpret_cast<TCITEM*>(lParam);
            if (!item || !strip->Valid(index)) return 0;
            TabItem& target = strip->items[static_cast<std::size_t>(index)];
            if (message == TCM_GETITEM) {
                if (item->mask & TCIF_TEXT) item->text = target.text;
                if (item->mask & TCIF_PARAM) item->lParam = target.param;
                return 1;
            }
            const bool renamed = (item->mask & TCIF_TEXT) && target.text != item->text;
            if (item->mask & TCIF_TEXT) target.text = item->text;
            if (item->mask & TCIF_PARAM) target.param = item->lParam;
            strip->Relayout();
            if (renamed) AnnounceTabText(*strip, index);
            return 1;
        }
        case TCM_DELETEITEM: {
            const int index = static_cast<int>(wParam);
            if (!strip->Valid(index)) return 0;
            AnnounceTabRemoving(*strip, index);
            strip->items.erase(strip->items.begin() + index);
            if (index == strip->current) strip->current = -1;
            else if (index < strip->current) --strip->current;
            strip->hot = -1;
            strip->firstVisible = std::clamp(strip->firstVisible, 0, std::max(0, strip->Count() - 1));
            strip->Relayout();
            return 1;
        }
        case TCM_DELETEALLITEMS:
            for (int index = strip->Count() - 1; index >= 0; --index) AnnounceTabRemoving(*strip, index);
            strip->items.clear();
            strip->current = strip->hot = -1;
            strip->firstVisible = 0;
            strip->Relayout();
            return 1;
        case TCM_GETITEMRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            const int index = static_cast<int>(wParam);
            if (!rect || !strip->Valid(index)) return 0;
            const QRect r = strip->Layout().items[static_cast<std::size_t>(index)];
            *rect = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
            return 1;
        }
        case TCM_GETCURSEL: return strip->current;
        case TCM_SETCURSEL: {
            const int previous = strip->current;
            const int index = static_cast<int>(wParam);
            if (!strip->Valid(index)) return -1;
            strip->current = index;
            strip->EnsureVisible(index);
            strip->Relayout();
            AnnounceTabSelection(*strip, previous);
            return previous;
        }
        case TCM_HITTEST: {
            auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
            if (!info) return -1;
            const int index = strip->HitTest(QPoint(info->pt.x, info->pt.y));
            info->flags = index >= 0 ? TCHT_ONITEM : TCHT_NOWHERE;
            return index;
        }
        case TCM_ADJUSTRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (!rect) return 0;
            const QRect page = strip->Layout().page;
            const int left = page.left();
            const int top = page.top();
            const int right = strip->width() - (page.left() + page.width());
            const int bottom = strip->height() - (page.top() + page.height());
            const int sign = wParam ? -1 : 1;  // TRUE: from the page rectangle back to the window's
            rect->left += sign * left;
            rect->top += sign * top;
            rect->right -= sign * right;
            rect->bottom -= sign * bottom;
            return 0;
        }
        case TCM_SETITEMSIZE: {
            const LRESULT previous = MAKELPARAM(strip->itemSize.width(), strip->itemSize.height());
            strip->itemSize = QSize(LOWORD(static_cast<std::uintptr_t>(lParam)), HIWORD(static_cast<std::uintptr_t>(lParam)));
            strip->Relayout();
            return previous;
        }
        case TCM_SETPADDING:
            strip->paddingX = LOWORD(static_cast<std::uintptr_t>(lParam));
            strip->paddingY = HIWORD(static_cast<std::uintptr_t>(lParam));
            strip->Relayout();
            return 0;
        case TCM_GETROWCOUNT: return strip->Layout().rowCount;
        case TCM_SETEXTENDEDSTYLE: {
            const std::uint32_t previous = strip->extendedStyle;
            const std::uint32_t mask = wParam ? static_cast<std::uint32_t>(wParam) : 0xFFFFFFFFu;
            strip->extendedStyle = (previous & ~mask) | (static_cast<std::uint32_t>(lParam) & mask);
            strip->update();
            return previous;
        }
        case TCM_GETEXTENDEDSTYLE: return strip->extendedStyle;
        case WM_SETFONT: {
            const FontObject* font = FindFont(reinterpret_cast<HFONT>(wParam));
            if (font) strip->tabFont = font->font;
            else strip->tabFont.reset();
            DefWindowProc(window, message, wParam, lParam);
            strip->Relayout();
            return 0;
        }
        case WM_STYLECHANGED:
            strip->setFocusPolicy((strip->Style() & TCS_FOCUSNEVER) ? Qt::NoFocus : Qt::StrongFocus);
            strip->Relayout();
            return 0;
        case WM_SIZE: strip->Relayout(); return 0;
        case WM_SETFOCUS:
            strip->update();
            AnnounceTabFocus(*strip);
            return 0;
        case WM_KILLFOCUS:
        case WM_ENABLE: strip->update(); return 0;
        case WM_LBUTTONDOWN: {
            const TabLayout& layout = strip->Layout();
            if (layout.scrolls && layout.scrollBack.contains(point)) {
                strip->firstVisible = std::max(0, strip->firstVisible - 1);
                strip->Relayout();
                return 0;
            }
            if (layout.scrolls && layout.scrollForward.contains(point)) {
                if (layout.lastFullyVisible < strip->Count() - 1) ++strip->firstVisible;
                strip->Relayout();
                return 0;
            }
            const int index = strip->HitTest(point);
            strip->pressed = index;
            if (index >= 0 && index != strip->current) ChangeSelection(window, index);
            return 0;
        }
        case WM_LBUTTONUP: {
            // A press on a tab is a click even when the rows turned round
            // under the pointer and it is released over empty space.
            const int pressed = std::exchange(strip->pressed, -1);
            if (pressed >= 0) Notify(window, NM_CLICK);
            return 0;
        }
        case WM_RBUTTONDOWN: strip->rightPressed = strip->HitTest(point); return 0;
        case WM_RBUTTONUP: {
            const int pressed = std::exchange(strip->rightPressed, -1);
            if (pressed >= 0) Notify(window, NM_RCLICK);
            return 0;
        }
        case WM_MOUSEMOVE: {
            const int index = strip->HitTest(point);
            if (index != strip->hot) {
                strip->hot = index;
                if (strip->Style() & (TCS_HOTTRACK | TCS_FLATBUTTONS)) strip->update();
            }
            return 0;
        }
        case WM_MOUSELEAVE:
            if (strip->hot >= 0) {
                strip->hot = -1;
                strip->update();
            }
            return 0;
        case WM_KEYDOWN: {
            NMTCKEYDOWN key;
            key.wVKey = static_cast<std::uint16_t>(wParam);
            key.flags = static_cast<UINT>(HIWORD(static_cast<std::uintptr_t>(lParam)));
            Notify(window, TCN_KEYDOWN, &key.hdr);
            strip = WidgetAs<TabStripWidget>(window);
            if (!strip) return 0;
            const int next = TabForKey(static_cast<int>(wParam), strip->current, strip->Count());
            if (next >= 0 && next != strip->current) ChangeSelection(window, next);
            return 0;
        }
        case WM_PAINT: {
            WindowRecord* record = FindRecord(window);
            if (record && record->painter) PaintTabs(*strip, *record->painter);
            return 0;
        }
        default: return DefWindowProc(window, message, wParam, lParam);
    }
}

}  // namespace

// Asks the parent, then selects. The parent may rebuild or destroy the strip
// while it is asked, so the widget is looked up again afterwards.
void ChangeSelection(HWND window, int index) {
    if (Notify(window, TCN_SELCHANGING) != 0) return;
    auto* strip = WidgetAs<TabStripWidget>(window);
    if (!strip || !strip->Valid(index)) return;
    const int previous = std::exchange(strip->current, index);
    strip->EnsureVisible(index);
    strip->Relayout();
    AnnounceTabSelection(*strip, previous);
    Notify(window, TCN_SELCHANGE);
}

void ClickTab(HWND window, int index) {
    auto* strip = WidgetAs<TabStripWidget>(window);
    if (!strip || !strip->Valid(index)) return;
    if (index != strip->current) ChangeSelection(window, index);
    if (WidgetAs<TabStripWidget>(window)) Notify(window, NM_CLICK);
}

void SelectTabByKey(HWND window, int index, std::uint16_t virtualKey) {
    NMTCKEYDOWN key;
    key.wVKey = virtualKey;
    Notify(window, TCN_KEYDOWN, &key.hdr);
    if (WidgetAs<TabStripWidget>(window)) ChangeSelection(window, index);
}

const WindowClassInfo kTabStripClassInfo{
    .name = WC_TABCONTROL,
    .procedure = &TabStripProcedure,
    .doubleClicks = false,
    .ownsInput = true,
    .mouseMoves = true,
};

QWidget* CreateTabStripWidget(QWidget* parent, std::uint32_t style) {
    auto* widget = new TabStripWidget(parent);
    widget->setFocusPolicy((style & TCS_FOCUSNEVER) ? Qt::NoFocus : Qt::StrongFocus);
    widget->setAttribute(Qt::WA_Hover);
    AddTabSwitchingKeys(widget);
    return widget;
}

}  // namespace window::ui::qt
