#pragma once
// Internal: where the tabs of a tab strip go, in rows, for each placement.

#include <QRect>
#include <QSize>

#include <vector>

namespace window::ui::qt {

enum class TabPlacement { Top, Bottom, Left, Right };

struct TabLayoutInput {
    QSize client;
    std::vector<int> lengths;  // natural length of each tab along its row
    int thickness = 0;         // height of a row (width of a column when vertical)
    TabPlacement placement = TabPlacement::Top;
    bool multiRow = false;
    bool scrollOpposite = false;  // the rows in front of the selected one go to the far side
    bool stretchRows = true;      // several rows are widened to fill the strip
    bool buttons = false;         // buttons: gaps between them, no page frame
    int selected = -1;
    int firstVisible = 0;  // one row: the first tab shown after scrolling
    int pageOverlap = 0;   // how far the tabs reach into the page's frame
};

struct TabLayout {
    std::vector<QRect> items;   // every tab's rectangle; scrolled-away tabs lie outside the strip
    std::vector<int> rows;      // each tab's row, in the order the tabs fill them
    std::vector<bool> farSide;  // the tab sits on the far side of the page
    std::vector<int> distance;  // rows between the tab's row and the page (0: next to it)
    int rowCount = 0;
    QRect page;           // the area below (beside) the tabs
    QRect strip;          // the part where tabs are visible (without the scroll buttons)
    bool scrolls = false;  // one row that does not fit: scroll buttons shown
    QRect scrollBack;
    QRect scrollForward;
    int lastFullyVisible = -1;
};

inline constexpr int kTabStripMargin = 2;  // space before the first tab
inline constexpr int kButtonGap = 3;       // between buttons and between rows of buttons

TabLayout LayOutTabs(const TabLayoutInput& input);

}  // namespace window::ui::qt
