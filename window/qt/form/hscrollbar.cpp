#include "window/form/hscrollbar.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>

#include <algorithm>

#include "window/qt/form/form_widgets.h"

namespace window::form {

namespace {

// A scroll bar that shows it has the keyboard: the style's focus rectangle
// just inside its edge (most desktop styles draw none on a scroll bar, so a
// user tabbing to it would not see where the arrow keys go). The index bars
// are 33 pixels wide, two arrows and a thumb of a few pixels: a mark on the
// thumb alone could not be seen.
class FocusMarkedScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void paintEvent(QPaintEvent* event) override {
        QScrollBar::paintEvent(event);
        if (!hasFocus()) return;
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        // Drawn whenever the bar has the focus, not only once a key moved it
        // there (styles leave the mark out after a mouse click otherwise).
        focus.state |= QStyle::State_KeyboardFocusChange;
        focus.rect = rect().adjusted(1, 1, -1, -1);
        focus.backgroundColor = palette().color(QPalette::Button);
        QPainter painter(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
};

using ScrollBarWidget = qt::LinkedWidget<FocusMarkedScrollBar>;

ScrollBarWidget* WidgetOf(ui::HWND window) { return dynamic_cast<ScrollBarWidget*>(ui::qt::WidgetOf(window)); }

ui::HWND CreateScrollBarWindow(ui::HWND parent, std::wstring_view name, const Bounds& bounds) {
    auto* widget = new ScrollBarWidget(qt::ParentWidget(parent));
    widget->setOrientation(Qt::Horizontal);
    // Change comes when the thumb is released, not while it is dragged.
    widget->setTracking(false);
    // Reachable with Tab, so the devices of a page can be stepped through
    // from the keyboard.
    widget->setFocusPolicy(Qt::TabFocus);
    return qt::CreateControlWindow(widget, parent, qt::kScrollBarClassInfo, name, bounds);
}

constexpr int kDefaultLargeChange = 1;

}  // namespace

HScrollBar::HScrollBar(ui::HWND parent, std::wstring name, const Bounds& bounds)
    : Control(CreateScrollBarWindow(parent, name, bounds), name) {
    ScrollBarWidget* widget = WidgetOf(Hwnd());
    if (!widget) return;
    widget->setPageStep(kDefaultLargeChange);
    ApplyRange();
    QObject::connect(widget, &QScrollBar::valueChanged, widget, [widget] {
        if (auto* bar = dynamic_cast<HScrollBar*>(widget->control)) bar->Change.Raise();
    });
    QObject::connect(widget, &QScrollBar::sliderMoved, widget, [widget] {
        if (auto* bar = dynamic_cast<HScrollBar*>(widget->control)) bar->Scroll.Raise();
    });
}

// The toolkit's range runs from the lower to the higher end; a Max below Min
// turns the bar round.
void HScrollBar::ApplyRange() {
    ScrollBarWidget* widget = WidgetOf(Hwnd());
    if (!widget) return;
    const bool reversed = max_ < min_;
    widget->setInvertedAppearance(reversed);
    widget->setInvertedControls(reversed);
    // Setting the range may move the value into it, which raises Change.
    widget->setRange(std::min(min_, max_), std::max(min_, max_));
}

int HScrollBar::Value() const {
    const ScrollBarWidget* widget = WidgetOf(Hwnd());
    return widget ? widget->value() : min_;
}

void HScrollBar::SetValue(int value) {
    ScrollBarWidget* widget = WidgetOf(Hwnd());
    if (!widget || value < widget->minimum() || value > widget->maximum()) return;
    widget->setValue(value);
}

int HScrollBar::SmallChange() const {
    const ScrollBarWidget* widget = WidgetOf(Hwnd());
    return widget ? widget->singleStep() : 1;
}

void HScrollBar::SetSmallChange(int change) {
    if (ScrollBarWidget* widget = WidgetOf(Hwnd()); widget && change > 0) widget->setSingleStep(change);
}

int HScrollBar::LargeChange() const {
    const ScrollBarWidget* widget = WidgetOf(Hwnd());
    return widget ? widget->pageStep() : kDefaultLargeChange;
}

void HScrollBar::SetLargeChange(int change) {
    if (ScrollBarWidget* widget = WidgetOf(Hwnd()); widget && change > 0) widget->setPageStep(change);
}

}  // namespace window::form
