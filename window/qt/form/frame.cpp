#include "window/form/frame.h"

#include <QPainter>
#include <QStyle>
#include <QFontMetrics>

#include "window/qt/form/form_widgets.h"
#include "window/qt/qt_bridge.h"
#include "window/ui/window.h"

namespace window::form {

namespace {

class FrameWidget : public qt::LinkedWidget<QWidget> {
public:
    using qt::LinkedWidget<QWidget>::LinkedWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        const auto* frame = dynamic_cast<const Frame*>(control);
        QPainter painter(this);
        if (!frame || frame->GetBackStyle() == BackStyle::Opaque) painter.fillRect(rect(), palette().color(QPalette::Window));
        if (!frame || frame->BorderStyle() == 0) return;
        // An etched line: a dark line with a light one inside it, broken at
        // the top for the caption.
        const QString caption = ui::qt::ParsePrefix(frame->Caption(), false).text;
        const QFontMetrics metrics(font());
        const int top = caption.isEmpty() ? 0 : metrics.height() / 2;
        const QRect box = rect().adjusted(0, top, -1, -1);
        const QColor dark = palette().color(QPalette::Dark);
        const QColor light = palette().color(QPalette::Light);
        painter.setPen(dark);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(light);
        painter.drawRect(box.adjusted(1, 1, 0, 0));
        if (caption.isEmpty()) return;
        const QRect label(kCaptionIndent, 0, metrics.horizontalAdvance(caption) + 2 * kCaptionPadding, metrics.height());
        painter.fillRect(label, palette().color(QPalette::Window));
        style()->drawItemText(&painter, label, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                              ui::qt::ToQString(frame->Caption()), QPalette::WindowText);
    }

private:
    static constexpr int kCaptionIndent = 6;
    static constexpr int kCaptionPadding = 2;
};

ui::HWND CreateFrameWindow(ui::HWND parent, std::wstring_view name, const Bounds& bounds) {
    return qt::CreateControlWindow(new FrameWidget(qt::ParentWidget(parent)), parent, qt::kFrameClassInfo, name, bounds);
}

}  // namespace

Frame::Frame(ui::HWND parent, std::wstring name, const Bounds& bounds)
    : Control(CreateFrameWindow(parent, name, bounds), name), Container(Hwnd()) {}

// The controls go before the frame's own window.
Frame::~Frame() { DestroyControls(); }

void Frame::SetCaption(std::wstring caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    ui::InvalidateRect(Hwnd(), nullptr, true);
    ui::qt::NotifyTextChanged(ui::qt::WidgetOf(Hwnd()));
}

void Frame::SetBorderStyle(int style) {
    if (style != 0 && style != 1) return;
    borderStyle_ = style;
    ui::InvalidateRect(Hwnd(), nullptr, true);
}

void Frame::SetBackStyle(BackStyle style) {
    if (style == backStyle_) return;
    backStyle_ = style;
    ui::InvalidateRect(Hwnd(), nullptr, true);
}

}  // namespace window::form
