#include "window/qt/ui/tab_layout.h"

#include <algorithm>
#include <numeric>

namespace window::ui::qt {

namespace {

using Row = std::vector<int>;

std::vector<Row> FillRows(const std::vector<int>& lengths, bool several, int available, int gap) {
    std::vector<Row> rows;
    Row row;
    int used = 0;
    for (int i = 0; i < static_cast<int>(lengths.size()); ++i) {
        const int length = lengths[static_cast<std::size_t>(i)];
        int needed = row.empty() ? length : used + gap + length;
        if (several && !row.empty() && needed > available) {
            rows.push_back(row);
            row.clear();
            needed = length;
        }
        row.push_back(i);
        used = needed;
    }
    if (!row.empty()) rows.push_back(row);
    return rows;
}

// Widens the tabs of a row in proportion to their length until the row
// fills the strip; the last tab takes what rounding leaves.
void Stretch(const Row& row, std::vector<int>& lengths, int available, int gap) {
    int total = 0;
    for (const int i : row) total += lengths[static_cast<std::size_t>(i)];
    const int extra = available - total - gap * (static_cast<int>(row.size()) - 1);
    if (extra <= 0 || total <= 0) return;
    int given = 0;
    for (std::size_t k = 0; k < row.size(); ++k) {
        int& length = lengths[static_cast<std::size_t>(row[k])];
        const int add = (k + 1 == row.size()) ? extra - given : extra * length / total;
        given += add;
        length += add;
    }
}

}  // namespace

TabLayout LayOutTabs(const TabLayoutInput& in) {
    const bool vertical = in.placement == TabPlacement::Left || in.placement == TabPlacement::Right;
    const int along = vertical ? in.client.height() : in.client.width();
    const int across = vertical ? in.client.width() : in.client.height();
    const int gap = in.buttons ? kButtonGap : 0;
    const int available = std::max(0, along - 2 * kTabStripMargin);
    const int count = static_cast<int>(in.lengths.size());

    // A rectangle given along and across the strip, the tabs' side first.
    const auto map = [&](int a, int c, int length, int thickness) {
        switch (in.placement) {
            case TabPlacement::Top: return QRect(a, c, length, thickness);
            case TabPlacement::Bottom: return QRect(a, across - c - thickness, length, thickness);
            case TabPlacement::Left: return QRect(c, a, thickness, length);
            case TabPlacement::Right: return QRect(across - c - thickness, a, thickness, length);
        }
        return QRect();
    };

    TabLayout out;
    out.items.assign(static_cast<std::size_t>(count), QRect());
    out.rows.assign(static_cast<std::size_t>(count), 0);
    out.farSide.assign(static_cast<std::size_t>(count), false);
    out.distance.assign(static_cast<std::size_t>(count), 0);
    out.strip = map(0, 0, along, across);
    out.page = map(0, 0, along, across);
    if (count == 0) return out;

    std::vector<int> lengths = in.lengths;
    const bool several = in.multiRow || vertical;
    const std::vector<Row> rows = FillRows(lengths, several, available, gap);
    const int rowCount = static_cast<int>(rows.size());
    out.rowCount = rowCount;
    if (in.stretchRows && !in.buttons && rowCount > 1) {
        for (const Row& row : rows) Stretch(row, lengths, available, gap);
    }

    int selectedRow = 0;
    for (int r = 0; r < rowCount; ++r) {
        for (const int i : rows[static_cast<std::size_t>(r)]) {
            out.rows[static_cast<std::size_t>(i)] = r;
            if (i == in.selected) selectedRow = r;
        }
    }
    const int nearRows = in.scrollOpposite ? rowCount - selectedRow : rowCount;
    const int farRows = rowCount - nearRows;
    const int step = in.thickness + gap;
    const int farStart = across - farRows * step;
    const int overlap = in.buttons ? 0 : in.pageOverlap;

    // One row that does not fit scrolls, with two buttons at its end.
    int scrollShift = 0;
    int visibleEnd = along;
    if (!several) {
        const int total = std::accumulate(lengths.begin(), lengths.end(), 0) + gap * (count - 1);
        if (total > available && count > 1) {
            out.scrolls = true;
            visibleEnd = std::max(0, along - 2 * in.thickness);
            out.scrollBack = map(visibleEnd, 0, in.thickness, in.thickness);
            out.scrollForward = map(visibleEnd + in.thickness, 0, in.thickness, in.thickness);
            const int first = std::clamp(in.firstVisible, 0, count - 1);
            for (int i = 0; i < first; ++i) scrollShift += lengths[static_cast<std::size_t>(i)] + gap;
        }
    }
    out.strip = map(0, 0, visibleEnd, across);

    for (int r = 0; r < rowCount; ++r) {
        const bool far = in.scrollOpposite && r < selectedRow;
        int c = 0;
        int distance = 0;
        if (far) {
            distance = selectedRow - 1 - r;
            c = farStart + distance * step;
        } else {
            distance = in.scrollOpposite ? r - selectedRow : (r - selectedRow + rowCount) % rowCount;
            c = (nearRows - 1 - distance) * step;
        }
        int a = kTabStripMargin - scrollShift;
        for (const int i : rows[static_cast<std::size_t>(r)]) {
            const int length = lengths[static_cast<std::size_t>(i)];
            out.items[static_cast<std::size_t>(i)] = map(a, c, length, in.thickness);
            out.farSide[static_cast<std::size_t>(i)] = far;
            out.distance[static_cast<std::size_t>(i)] = distance;
            if (a + length <= visibleEnd) out.lastFullyVisible = i;
            a += length + gap;
        }
    }

    const int pageStart = std::max(0, nearRows * step - overlap);
    const int pageEnd = farRows > 0 ? std::min(across, farStart + overlap) : across;
    out.page = map(0, pageStart, along, std::max(0, pageEnd - pageStart));
    return out;
}

}  // namespace window::ui::qt
