// The tab-strip class: rows of tabs drawn with the desktop's style, selection
// by mouse and keyboard, and the notifications its parent relies on.

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "platform/ui/gdi.h"
#include "platform/ui/qt/gdi_objects.h"
#include "platform/ui/qt/tab_layout.h"
#include "platform/ui/qt/text_drawing.h"
#include "platform/ui/qt/window_classes.h"
#include "platform/ui/tab_strip.h"
#include "platform/ui/window.h"

namespace platform::ui::qt {

namespace {

constexpr int kDefaultPaddingX = 6;
constexpr int kDefaultPaddingY = 3;
// The tab's own border on both ends, beside the padding.
constexpr int kTabBorders = 4;
constexpr int kFocusInset = 3;

struct TabItem {
    std::wstring text;
    LPARAM param = 0;
};

class TabStripWidget : public HostWidget {
public:
    explicit TabStripWidget(QWidget* parent) : HostWidget(parent) {}

    std::vector<TabItem> items;
    int current = -1;
    int hot = -1;
    int pressed = -1;
    int rightPressed = -1;
    int firstVisible = 0;
    QSize itemSize;  // from TCM_SETITEMSIZE; 0 = natural
    int paddingX = kDefaultPaddingX;
    int paddingY = kDefaultPaddingY;
    std::uint32_t extendedStyle = 0;
    std::optional<QFont> tabFont;

    int Count() const { return static_cast<int>(items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }

    std::uint32_t Style() const {
        const WindowRecord* record = FindRecord(HandleOf(this));
        return record ? record->style : 0;
    }

    QFont TabFont() const { return tabFont ? *tabFont : font(); }

    TabPlacement Placement() const {
        const std::uint32_t style = Style();
        if (style & TCS_VERTICAL) return (style & TCS_RIGHT) ? TabPlacement::Right : TabPlacement::Left;
        return (style & TCS_BOTTOM) ? TabPlacement::Bottom : TabPlacement::Top;
    }

    int Thickness() const {
        if (itemSize.height() > 0) return itemSize.height();
        return QFontMetrics(TabFont(), this).height() + 2 * paddingY;
    }

    const TabLayout& Layout() {
        if (layoutDirty_ || layoutSize_ != size()) {
            layout_ = Compute();
            layoutDirty_ = false;
            layoutSize_ = size();
        }
        return layout_;
    }

    void Relayout() {
        layoutDirty_ = true;
        update();
    }

    int HitTest(QPoint point) {
        const TabLayout& layout = Layout();
        if (!layout.strip.contains(point)) return -1;
        for (int i = 0; i < Count(); ++i) {
            if (layout.items[static_cast<std::size_t>(i)].contains(point)) return i;
        }
        return -1;
    }

    // One row that scrolls: moves the first tab shown so that `index` is in view.
    void EnsureVisible(int index) {
        if (!Valid(index) || !Layout().scrolls) return;
        if (index < firstVisible) firstVisible = index;
        while (firstVisible < index) {
            layoutDirty_ = true;
            if (Layout().lastFullyVisible >= index) break;
            ++firstVisible;
        }
        Relayout();
    }

private:
    TabLayout Compute() const {
        const std::uint32_t style = Style();
        const QFontMetrics metrics(TabFont(), this);
        TabLayoutInput in;
        in.client = size();
        in.thickness = Thickness();
        in.placement = Placement();
        in.multiRow = style & TCS_MULTILINE;
        in.scrollOpposite = style & TCS_SCROLLOPPOSITE;
        in.buttons = style & TCS_BUTTONS;
        in.stretchRows = !(style & (TCS_FIXEDWIDTH | TCS_RAGGEDRIGHT));
        in.selected = current;
        in.firstVisible = firstVisible;
        in.pageOverlap = style & TCS_BUTTONS ? 0 : this->style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
        for (const TabItem& item : items) {
            if ((style & TCS_FIXEDWIDTH) && itemSize.width() > 0) {
                in.lengths.push_back(itemSize.width());
            } else {
                const QString shown = ParsePrefix(item.text, false).text;
                in.lengths.push_back(metrics.horizontalAdvance(shown) + 2 * paddingX + kTabBorders);
            }
        }
        return LayOutTabs(in);
    }

    TabLayout layout_;
    bool layoutDirty_ = true;
    QSize layoutSize_;
};

QTabBar::Shape ShapeOf(TabPlacement placement, bool farSide) {
    switch (placement) {
        case TabPlacement::Top: return farSide ? QTabBar::RoundedSouth : QTabBar::RoundedNorth;
        case TabPlacement::Bottom: return farSide ? QTabBar::RoundedNorth : QTabBar::RoundedSouth;
        case TabPlacement::Left: return farSide ? QTabBar::RoundedEast : QTabBar::RoundedWest;
        case TabPlacement::Right: return farSide ? QTabBar::RoundedWest : QTabBar::RoundedEast;
    }
    return QTabBar::RoundedNorth;
}

LRESULT Notify(HWND window, int code, NMHDR* header = nullptr) {
    NMHDR plain;
    NMHDR* hdr = header ? header : &plain;
    hdr->hwndFrom = window;
    hdr->idFrom = static_cast<std::uintptr_t>(GetWindowLongPtr(window, GWLP_ID));
    hdr->code = code;
    return SendMessage(GetParent(window), WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
}


int NextTabForKey(const TabStripWidget& strip, int key) {
    const int last = strip.Count() - 1;
    const int from = strip.current < 0 ? 0 : strip.current;
    switch (key) {
        case VK_LEFT:
        case VK_UP:
        case VK_PRIOR: return std::max(0, from - 1);
        case VK_RIGHT:
        case VK_DOWN:
        case VK_NEXT: return std::min(last, strip.current < 0 ? 0 : from + 1);
        case VK_HOME: return 0;
        case VK_END: return last;
        default: return -1;
    }
}

// Styles draw the focus mark only once the keyboard has moved the focus
// (Fusion checks State_KeyboardFocusChange); the strip shows it whenever it
// has the focus, so a keyboard user always sees which tab the arrows move.
QStyleOptionFocusRect FocusMarkOption(const QWidget& strip) {
    QStyleOptionFocusRect option;
    option.initFrom(&strip);
    option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    return option;
}

bool IsVertical(QTabBar::Shape shape) { return shape == QTabBar::RoundedWest || shape == QTabBar::RoundedEast; }

// The label of one tab, centred in the part of the tab the style shows: a
// tab that is not selected is drawn lower than the selected one, away from
// its edge, and its text moves with it.
void DrawTabLabel(const TabStripWidget& strip, QPainter& painter, const QStyleOptionTab& tab, const QString& text, bool focus) {
    QStyle* style = strip.style();
    const bool selected = tab.state & QStyle::State_Selected;
    const int shift = selected ? 0 : style->pixelMetric(QStyle::PM_TabBarTabShiftVertical, &tab, &strip) / 2;
    QRect area = tab.rect;
    switch (tab.shape) {
        case QTabBar::RoundedNorth: area.translate(0, shift); break;
        case QTabBar::RoundedSouth: area.translate(0, -shift); break;
        case QTabBar::RoundedWest: area.translate(shift, 0); break;
        default: area.translate(-shift, 0); break;
    }
    painter.save();
    if (IsVertical(tab.shape)) {
        // The text runs up a tab on the left, down a tab on the right.
        const bool west = tab.shape == QTabBar::RoundedWest;
        painter.translate(west ? area.left() : area.right() + 1, west ? area.bottom() + 1 : area.top());
        painter.rotate(west ? -90 : 90);
        area = QRect(0, 0, area.height(), area.width());
    }
    const QRect textArea = style->itemTextRect(painter.fontMetrics(), area, Qt::AlignCenter | Qt::TextShowMnemonic, strip.isEnabled(), text);
    style->drawItemText(&painter, area, Qt::AlignCenter | Qt::TextShowMnemonic, tab.palette, strip.isEnabled(), text, QPalette::WindowText);
    if (focus) {
        QStyleOptionFocusRect frame = FocusMarkOption(strip);
        frame.rect = textArea.adjusted(-2, -1, 2, 1);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, &strip);
    }
    painter.restore();
}

void PaintTabs(TabStripWidget& strip, QPainter& painter) {
    const TabLayout& layout = strip.Layout();
    QStyle* style = strip.style();
    const std::uint32_t windowStyle = strip.Style();
    const bool buttons = windowStyle & TCS_BUTTONS;
    const bool flat = buttons && (windowStyle & TCS_FLATBUTTONS);
    const bool hotTracking = windowStyle & TCS_HOTTRACK;
    const bool showFocus = strip.hasFocus() && !(windowStyle & TCS_FOCUSNEVER);
    const TabPlacement placement = strip.Placement();
    painter.setFont(strip.TabFont());

    if (!buttons) {
        QStyleOptionTabWidgetFrame frame;
        frame.initFrom(&strip);
        frame.rect = layout.page;
        frame.shape = ShapeOf(placement, false);
        frame.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &strip);
        if (strip.Valid(strip.current)) frame.selectedTabRect = layout.items[static_cast<std::size_t>(strip.current)];
        style->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, &strip);
    }

    painter.save();
    painter.setClipRect(layout.strip);
    std::vector<int> order;
    for (int i = 0; i < strip.Count(); ++i) {
        if (i != strip.current) order.push_back(i);
    }
    // Rows further from the page first; the selected tab last, over its neighbours.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return layout.distance[static_cast<std::size_t>(a)] > layout.distance[static_cast<std::size_t>(b)];
    });
    if (strip.Valid(strip.current)) order.push_back(strip.current);

    for (const int i : order) {
        const auto k = static_cast<std::size_t>(i);
        const QRect rect = layout.items[k];
        const bool selected = i == strip.current;
        const bool hot = hotTracking && i == strip.hot;
        const QString text = ToQString(strip.items[k].text);
        if (buttons) {
            QStyleOptionButton button;
            button.initFrom(&strip);
            button.rect = rect;
            button.state &= ~(QStyle::State_MouseOver | QStyle::State_HasFocus);
            if (selected) button.state |= QStyle::State_Sunken | QStyle::State_On;
            else button.state |= QStyle::State_Raised;
            if (hot) button.state |= QStyle::State_MouseOver;
            if (!flat) {
                style->drawPrimitive(QStyle::PE_PanelButtonCommand, &button, &painter, &strip);
            } else if (selected || hot) {
                QStyleOption panel(button);
                if (!selected) panel.state |= QStyle::State_AutoRaise;
                style->drawPrimitive(selected ? QStyle::PE_PanelButtonCommand : QStyle::PE_PanelButtonTool, &panel, &painter, &strip);
            }
            style->drawItemText(&painter, rect, Qt::AlignCenter | Qt::TextShowMnemonic, strip.palette(), strip.isEnabled(), text,
                                QPalette::ButtonText);
            if (selected && showFocus) {
                QStyleOptionFocusRect focus = FocusMarkOption(strip);
                focus.rect = rect.adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset);
                style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, &strip);
            }
            const bool separators = flat && (strip.extendedStyle & TCS_EX_FLATSEPARATORS);
            if (separators && i + 1 < strip.Count() && layout.rows[k] == layout.rows[k + 1]) {
                const int x = rect.right() + 1 + kButtonGap / 2;
                painter.fillRect(QRect(x - 1, rect.top() + 2, 1, rect.height() - 4), strip.palette().color(QPalette::Dark));
                painter.fillRect(QRect(x, rect.top() + 2, 1, rect.height() - 4), strip.palette().color(QPalette::Light));
            }
            continue;
        }
        QStyleOptionTab tab;
        tab.initFrom(&strip);
        tab.rect = rect;
        tab.shape = ShapeOf(placement, layout.farSide[k]);
        tab.state &= ~(QStyle::State_MouseOver | QStyle::State_HasFocus);
        if (selected) tab.state |= QStyle::State_Selected;
        if (hot) tab.state |= QStyle::State_MouseOver;
        tab.features = QStyleOptionTab::HasFrame;
        const bool firstInRow = i == 0 || layout.rows[k - 1] != layout.rows[k];
        const bool lastInRow = i + 1 == strip.Count() || layout.rows[k + 1] != layout.rows[k];
        if (firstInRow && lastInRow) tab.position = QStyleOptionTab::OnlyOneTab;
        else if (firstInRow) tab.position = QStyleOptionTab::Beginning;
        else if (lastInRow) tab.position = QStyleOptionTab::End;
        else tab.position = QStyleOptionTab::Middle;
        if (!firstInRow && i - 1 == strip.current) tab.selectedPosition = QStyleOptionTab::PreviousIsSelected;
        else if (!lastInRow && i + 1 == strip.current) tab.selectedPosition = QStyleOptionTab::NextIsSelected;
        else tab.selectedPosition = QStyleOptionTab::NotAdjacent;
        // The style draws the tab; the label goes in with the strip's own
        // padding, so a tab is as wide as its text needs and no wider.
        // Styles draw a tab facing down or right as if it stood at the origin
        // of a strip of its own; so it does here.
        QStyleOptionTab shape(tab);
        shape.rect = QRect(QPoint(0, 0), rect.size());
        painter.save();
        painter.translate(rect.topLeft());
        style->drawControl(QStyle::CE_TabBarTabShape, &shape, &painter, &strip);
        painter.restore();
        DrawTabLabel(strip, painter, tab, text, selected && showFocus);
    }
    painter.restore();

    if (layout.scrolls) {
        const auto arrow = [&](const QRect& rect, QStyle::PrimitiveElement element, bool enabled) {
            QStyleOption option;
            option.initFrom(&strip);
            option.rect = rect;
            option.state &= ~(QStyle::State_MouseOver | QStyle::State_HasFocus);
            option.state |= QStyle::State_Raised;
            if (!enabled) option.state &= ~QStyle::State_Enabled;
            style->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter, &strip);
            style->drawPrimitive(element, &option, &painter, &strip);
        };
        arrow(layout.scrollBack, QStyle::PE_IndicatorArrowLeft, strip.firstVisible > 0);
        arrow(layout.scrollForward, QStyle::PE_IndicatorArrowRight, layout.lastFullyVisible < strip.Count() - 1);
    }
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
            if (item->mask & TCIF_TEXT) target.text = item->text;
            if (item->mask & TCIF_PARAM) target.param = item->lParam;
            strip->Relayout();
            return 1;
        }
        case TCM_DELETEITEM: {
            const int index = static_cast<int>(wParam);
            if (!strip->Valid(index)) return 0;
            strip->items.erase(strip->items.begin() + index);
            if (index == strip->current) strip->current = -1;
            else if (index < strip->current) --strip->current;
            strip->hot = -1;
            strip->firstVisible = std::clamp(strip->firstVisible, 0, std::max(0, strip->Count() - 1));
            strip->Relayout();
            return 1;
        }
        case TCM_DELETEALLITEMS:
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
            const int next = NextTabForKey(*strip, static_cast<int>(wParam));
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
    strip->current = index;
    strip->EnsureVisible(index);
    strip->Relayout();
    Notify(window, TCN_SELCHANGE);
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

}  // namespace platform::ui::qt
