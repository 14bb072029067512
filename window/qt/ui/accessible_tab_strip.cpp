#include "window/qt/ui/accessible_tab_strip.h"

#include <QAccessible>
#include <QPointer>

#include <map>

#include "window/qt/ui/accessible_window.h"
#include "window/qt/ui/tab_strip_widget.h"
#include "window/qt/ui/window_classes.h"

namespace window::ui::qt {

namespace {

// One tab: no widget of its own, the strip's item `index`.
class AccessibleTab final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleTab(TabStripWidget* strip, int index) : strip_(strip), index_(index) {}

    bool isValid() const override { return strip_ && strip_->Valid(index_); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return strip_ ? strip_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return strip_ ? QAccessible::queryAccessibleInterface(strip_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name || !isValid()) return {};
        return ParsePrefix(strip_->items[static_cast<std::size_t>(index_)].text, false).text;
    }
    void setText(QAccessible::Text, const QString&) override {}

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = true;
        state.selected = index_ == strip_->current;
        state.focused = state.selected && strip_->hasFocus();
        state.disabled = !strip_->isEnabled();
        state.invisible = !strip_->isVisible();
        // One row that scrolls leaves some tabs out of sight.
        state.offscreen = !Area().intersects(strip_->rect());
        return state;
    }

    QRect rect() const override {
        if (!isValid()) return {};
        const QRect area = Area();
        return QRect(strip_->mapToGlobal(area.topLeft()), area.size());
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && isValid() && strip_->isEnabled()) ClickTab(HandleOf(strip_), index_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QRect Area() const { return strip_->Layout().items[static_cast<std::size_t>(index_)]; }

    QPointer<TabStripWidget> strip_;
    int index_;
};

class AccessibleTabStrip final : public AccessibleWindow {
public:
    explicit AccessibleTabStrip(QWidget* strip) : AccessibleWindow(strip, QAccessible::PageTabList) {}
    ~AccessibleTabStrip() override { ForgetFrom(0); }

    int childCount() const override { return Strip() ? Strip()->Count() : 0; }

    QAccessibleInterface* child(int index) const override {
        TabStripWidget* strip = Strip();
        if (!strip || !strip->Valid(index)) return nullptr;
        if (const auto known = tabs_.find(index); known != tabs_.end()) return QAccessible::accessibleInterface(known->second);
        auto* tab = new AccessibleTab(strip, index);
        tabs_[index] = QAccessible::registerAccessibleInterface(tab);
        return tab;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [index, id] : tabs_)
            if (QAccessible::accessibleInterface(id) == child) return index;
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        TabStripWidget* strip = Strip();
        if (!strip) return nullptr;
        const int index = strip->HitTest(strip->mapFromGlobal(QPoint(x, y)));
        return index >= 0 ? child(index) : nullptr;
    }

    QAccessibleInterface* focusChild() const override {
        TabStripWidget* strip = Strip();
        return strip && strip->hasFocus() ? child(strip->current) : nullptr;
    }

    // The tabs from `index` on stand for other items now: made anew when asked.
    void ForgetFrom(int index) {
        for (auto it = tabs_.lower_bound(index); it != tabs_.end();) {
            QAccessible::deleteAccessibleInterface(it->second);
            it = tabs_.erase(it);
        }
    }

private:
    TabStripWidget* Strip() const { return dynamic_cast<TabStripWidget*>(widget()); }

    mutable std::map<int, QAccessible::Id> tabs_;
};

AccessibleTabStrip* AccessibleOf(TabStripWidget& strip) {
    return dynamic_cast<AccessibleTabStrip*>(QAccessible::queryAccessibleInterface(&strip));
}

void Announce(TabStripWidget& strip, QAccessible::Event type, int index) {
    QAccessibleEvent event(&strip, type);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

// AT-SPI's "selected" state change of the tab, as it is now.
void AnnounceSelected(TabStripWidget& strip, int index) {
    if (strip.Valid(index)) Announce(strip, QAccessible::Selection, index);
}

}  // namespace

QAccessibleInterface* NewTabStripAccessible(QWidget* strip) { return new AccessibleTabStrip(strip); }

void AnnounceTabInserted(TabStripWidget& strip, int index) {
    AccessibleTabStrip* accessible = AccessibleOf(strip);
    if (!accessible) return;
    accessible->ForgetFrom(index);
    Announce(strip, QAccessible::ObjectCreated, index);
}

void AnnounceTabRemoving(TabStripWidget& strip, int index) {
    AccessibleTabStrip* accessible = AccessibleOf(strip);
    if (!accessible || !strip.Valid(index)) return;
    Announce(strip, QAccessible::ObjectDestroyed, index);
    accessible->ForgetFrom(index);
}

void AnnounceTabText(TabStripWidget& strip, int index) {
    if (AccessibleOf(strip) && strip.Valid(index)) Announce(strip, QAccessible::NameChanged, index);
}

void AnnounceTabSelection(TabStripWidget& strip, int previous) {
    if (!AccessibleOf(strip) || previous == strip.current) return;
    AnnounceSelected(strip, previous);
    AnnounceSelected(strip, strip.current);
    if (strip.hasFocus() && strip.Valid(strip.current)) Announce(strip, QAccessible::Focus, strip.current);
}

void AnnounceTabFocus(TabStripWidget& strip) {
    if (AccessibleOf(strip) && strip.Valid(strip.current)) Announce(strip, QAccessible::Focus, strip.current);
}

}  // namespace window::ui::qt
