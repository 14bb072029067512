#include "window/ui/internal/tab_keys.h"

#include <algorithm>

#include "window/ui/messages.h"

namespace window::ui {

int TabForKey(int key, int current, int count) {
    if (count <= 0) return -1;
    const int last = count - 1;
    const int from = current < 0 ? 0 : current;
    switch (key) {
        case VK_LEFT:
        case VK_UP:
        case VK_PRIOR: return std::max(0, from - 1);
        case VK_RIGHT:
        case VK_DOWN:
        case VK_NEXT: return current < 0 ? 0 : std::min(last, from + 1);
        case VK_HOME: return 0;
        case VK_END: return last;
        default: return -1;
    }
}

int NeighbourTab(int current, int step, int count) {
    if (count <= 1) return -1;
    const int from = current < 0 ? (step > 0 ? -1 : 0) : current;
    return ((from + step) % count + count) % count;
}

}  // namespace window::ui
