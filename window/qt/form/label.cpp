#include "window/form/label.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>

#include "window/form/form.h"
#include "window/qt/form/form_widgets.h"
#include "window/ui/gdi.h"
#include "window/qt/qt_bridge.h"
#include "window/ui/window.h"

namespace window::form {

namespace {

// The mark stands around the caption's line, inside the label's box: the
// page keeps its layout whether a value has the focus or not.
QRect FocusMarkRect(const QWidget& widget, const Label& label) {
    constexpr int kPadding = 2;
    const int width = std::clamp(label.CaptionWidth() + 2 * kPadding, widget.height(), widget.width());
    int left = 0;
    if (label.GetAlignment() == Alignment::Center) left = (widget.width() - width) / 2;
    else if (label.GetAlignment() == Alignment::Right) left = widget.width() - width;
    return QRect(left, 0, width, widget.height());
}

class LabelWidget : public qt::ClickableWidget {
public:
    using qt::ClickableWidget::ClickableWidget;

protected:
    void focusInEvent(QFocusEvent* event) override {
        update();
        ClickableWidget::focusInEvent(event);
    }

    void focusOutEvent(QFocusEvent* event) override {
        update();
        ClickableWidget::focusOutEvent(event);
    }

    // Ctrl+C copies; every other key goes on to the form.
    void keyPressEvent(QKeyEvent* event) override {
        const auto* label = dynamic_cast<const Label*>(control);
        if (label && label->TabStop() && event->matches(QKeySequence::Copy)) {
            label->Copy();
            event->accept();
            return;
        }
        ClickableWidget::keyPressEvent(event);
    }

    void DrawFocusMark(QPainter& painter, const Label& label) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
        option.rect = FocusMarkRect(*this, label);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }

    void paintEvent(QPaintEvent*) override {
        const auto* label = dynamic_cast<const Label*>(control);
        if (!label) return;
        QPainter painter(this);
        if (label->GetBackStyle() == BackStyle::Opaque) painter.fillRect(rect(), qt::ColorOf(label->BackColor()));
        unsigned format = ui::DT_WORDBREAK;
        if (label->GetAlignment() == Alignment::Center) format |= ui::DT_CENTER;
        else if (label->GetAlignment() == Alignment::Right) format |= ui::DT_RIGHT;
        if (!label->UseMnemonic()) format |= ui::DT_NOPREFIX;
        ui::qt::TextStyle style;
        style.font = qt::FontFor(label->Font(), this);
        ui::RECT area{0, 0, width(), height()};
        if (isEnabled()) {
            style.color = qt::ColorOf(label->ForeColor());
            ui::qt::DrawFormattedText(&painter, this, style, label->Caption(), area, format);
            if (label->ShowsFocusMark()) DrawFocusMark(painter, *label);
            return;
        }
        // Engraved: a light copy one pixel down and right, the text in shadow over it.
        ui::RECT shifted = area;
        ui::OffsetRect(shifted, 1, 1);
        style.color = ui::qt::ToQColor(ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT));
        ui::qt::DrawFormattedText(&painter, this, style, label->Caption(), shifted, format);
        style.color = ui::qt::ToQColor(ui::GetSysColor(ui::COLOR_BTNSHADOW));
        ui::qt::DrawFormattedText(&painter, this, style, label->Caption(), area, format);
    }
};

ui::HWND CreateLabelWindow(ui::HWND parent, std::wstring_view name, const Bounds& bounds) {
    return qt::CreateControlWindow(new LabelWidget(qt::ParentWidget(parent)), parent, qt::kLabelClassInfo, name, bounds);
}

}  // namespace

Label::Label(ui::HWND parent, std::wstring name, const Bounds& bounds, std::wstring caption)
    : Control(CreateLabelWindow(parent, name, bounds), name), caption_(std::move(caption)), font_(AmbientFont(parent)) {
    if (auto* widget = dynamic_cast<LabelWidget*>(ui::qt::WidgetOf(Hwnd()))) {
        widget->onClick = [widget] {
            if (auto* label = dynamic_cast<Label*>(widget->control)) label->Click.Raise();
        };
        widget->onDblClick = [widget] {
            if (auto* label = dynamic_cast<Label*>(widget->control)) label->DblClick.Raise();
        };
    }
}

void Label::Repaint() { ui::InvalidateRect(Hwnd(), nullptr, true); }

// A screen reader hears a changed caption: the timer's values as they change.
void Label::SetCaption(std::wstring caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    Repaint();
    ui::qt::NotifyTextChanged(ui::qt::WidgetOf(Hwnd()));
}

void Label::SetTabStop(bool tabStop) {
    tabStop_ = tabStop;
    if (QWidget* widget = ui::qt::WidgetOf(Hwnd())) {
        widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
        widget->update();
    }
}

void Label::SetBackStyle(BackStyle style) {
    backStyle_ = style;
    Repaint();
}

void Label::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    Repaint();
}

void Label::SetUseMnemonic(bool use) {
    const bool changed = use != useMnemonic_;
    useMnemonic_ = use;
    Repaint();
    if (changed) ui::qt::NotifyTextChanged(ui::qt::WidgetOf(Hwnd()));
}

void Label::SetFont(const ui::StdFont& font) {
    if (font == font_) return;
    font_ = font;
    Repaint();
}

int Label::CaptionWidth() const {
    QWidget* widget = ui::qt::WidgetOf(Hwnd());
    const QFont font = qt::FontFor(font_, widget);
    const QString shown = ui::qt::ParsePrefix(caption_, !useMnemonic_).text;
    return QFontMetrics(font, widget).horizontalAdvance(shown);
}

}  // namespace window::form
