#pragma once
// Internal: the tab-strip widget (its items, selection and layout), shared
// by its window procedure (tab_strip_widget.cpp) and its painting
// (tab_strip_paint.cpp).

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

#include <optional>
#include <string>
#include <vector>

#include "window/qt/ui/registry.h"
#include "window/qt/ui/tab_layout.h"
#include "window/qt/ui/text_drawing.h"
#include "window/ui/tab_strip.h"

namespace window::ui::qt {

inline constexpr int kDefaultPaddingX = 6;
inline constexpr int kDefaultPaddingY = 3;
// The tab's own border on both ends, beside the padding.
inline constexpr int kTabBorders = 4;
inline constexpr int kFocusInset = 3;

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

// Draws the strip: the page frame, the tabs or buttons with their labels,
// the focus mark, and the scroll arrows of one row that does not fit.
void PaintTabs(TabStripWidget& strip, QPainter& painter);

}  // namespace window::ui::qt
