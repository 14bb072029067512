#include "window/ui/keyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "window/qt/ui/registry.h"
#include "window/qt/ui/virtual_keys.h"

namespace window::ui {

namespace {

KeyFilter::Impl* g_activeFilter = nullptr;
// Shift+Tab arrives as its own key; the message only says Tab.
bool g_lastKeyBackwards = false;

bool TakesTabFocus(const QWidget* candidate, const QWidget* window) {
    return candidate->window() == window && candidate->isVisibleTo(window) && candidate->isEnabled() &&
           (candidate->focusPolicy() & Qt::TabFocus) && !candidate->focusProxy();
}

}  // namespace

struct KeyFilter::Impl : QObject {
    HWND window = nullptr;
    Routine routine;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (g_activeFilter != this) return false;
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
        // Only on its way to the focused window, not again while it travels
        // on to the window's parents.
        QWidget* target = qt::WidgetOf(window);
        if (!target || watched != target || QApplication::focusWidget() != target) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        g_lastKeyBackwards = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        const MSG message = qt::KeyMessageOf(window, *key);
        const Routine running = routine;
        if (running(message) != KeyResult::Handled) return false;
        event->accept();
        return true;
    }
};

KeyFilter::KeyFilter() : impl_(std::make_unique<Impl>()) {}

KeyFilter::~KeyFilter() { Remove(); }

void KeyFilter::Activate(HWND window, Routine routine) {
    if (!impl_->routine && QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(impl_.get());
    impl_->window = window;
    impl_->routine = std::move(routine);
    g_activeFilter = impl_.get();
}

void KeyFilter::Remove() {
    if (g_activeFilter == impl_.get()) g_activeFilter = nullptr;
    if (impl_->routine && QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(impl_.get());
    impl_->routine = nullptr;
    impl_->window = nullptr;
}

bool KeyFilter::IsActive() const { return g_activeFilter == impl_.get(); }

KeyResult KeyFilter::DefaultTranslate(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != static_cast<WPARAM>(VK_TAB)) return KeyResult::NotHandled;
    QWidget* current = QApplication::focusWidget();
    if (!current) return KeyResult::NotHandled;
    const bool backwards = g_lastKeyBackwards;
    QWidget* window = current->window();
    QWidget* next = current;
    do {
        next = backwards ? next->previousInFocusChain() : next->nextInFocusChain();
    } while (next != current && !TakesTabFocus(next, window));
    if (next != current) next->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    return KeyResult::Handled;
}

}  // namespace window::ui
