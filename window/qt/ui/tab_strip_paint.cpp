// The tab strip as the desktop's style draws it: tab shapes or buttons,
// labels, the focus mark, the page frame and the scroll arrows.

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include "window/qt/ui/tab_strip_widget.h"

namespace window::ui::qt {

namespace {

QTabBar::Shape ShapeOf(TabPlacement placement, bool farSide) {
    switch (placement) {
        case TabPlacement::Top: return farSide ? QTabBar::RoundedSouth : QTabBar::RoundedNorth;
        case TabPlacement::Bottom: return farSide ? QTabBar::RoundedNorth : QTabBar::RoundedSouth;
        case TabPlacement::Left: return farSide ? QTabBar::RoundedEast : QTabBar::RoundedWest;
        case TabPlacement::Right: return farSide ? QTabBar::RoundedWest : QTabBar::RoundedEast;
    }
    return QTabBar::RoundedNorth;
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

}  // namespace

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

}  // namespace window::ui::qt
