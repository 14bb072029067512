// The keys every tabbed window on the desktop answers: Ctrl+Tab to the next
// tab, Ctrl+Shift+Tab to the previous one, and the same with Ctrl+Page Down
// and Ctrl+Page Up, whichever control of the window has the focus.

#include <QKeySequence>
#include <QShortcut>

#include "window/ui/internal/tab_keys.h"
#include "window/ui/messages.h"
#include "window/qt/ui/window_classes.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"

namespace window::ui::qt {

namespace {

void SelectNeighbour(QWidget* strip, int step, std::uint16_t virtualKey) {
    // Like a click: nothing while the strip cannot be used.
    if (!strip->isVisible() || !strip->isEnabled()) return;
    const HWND window = HandleOf(strip);
    const int next = NeighbourTab(static_cast<int>(SendMessage(window, TCM_GETCURSEL, 0, 0)), step,
                                  static_cast<int>(SendMessage(window, TCM_GETITEMCOUNT, 0, 0)));
    if (next >= 0) SelectTabByKey(window, next, virtualKey);
}

}  // namespace

void AddTabSwitchingKeys(QWidget* strip) {
    struct Key {
        QKeySequence sequence;
        int step;
        std::uint16_t virtualKey;  // what TCN_KEYDOWN reports
    };
    const Key keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1, VK_TAB},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1, VK_NEXT},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1, VK_TAB},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1, VK_TAB},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1, VK_PRIOR},
    };
    for (const Key& key : keys) {
        auto* shortcut = new QShortcut(key.sequence, strip);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, strip,
                         [strip, step = key.step, virtualKey = key.virtualKey] { SelectNeighbour(strip, step, virtualKey); });
    }
}

}  // namespace window::ui::qt
