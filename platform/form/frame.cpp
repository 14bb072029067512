#include "platform/form/frame.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include "platform/form/qt/form_widgets.h"
#include "platform/ui/window.h"

namespace platform::form {

namespace {

class FrameWidget : public qt::LinkedWidget<QWidget> {
public:
    using qt::LinkedWidget<QWidget>::LinkedWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        const auto* frame = dynamic_cast<const Frame*>(control);
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        if (!frame || frame->BorderStyle() == 0) return;
        QStyleOptionGroupBox option;
        option.initFrom(this);
        option.rect = rect();
        option.text = ui::qt::ToQString(frame->Caption());
        option.textAlignment = Qt::AlignLeft;
        option.textColor = palette().color(QPalette::WindowText);
        option.lineWidth = 1;
        option.midLineWidth = 0;
        option.subControls = QStyle::SC_GroupBoxFrame;
        if (!option.text.isEmpty()) option.subControls |= QStyle::SC_GroupBoxLabel;
        style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, this);
    }
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
    caption_ = std::move(caption);
    ui::InvalidateRect(Hwnd(), nullptr, true);
}

void Frame::SetBorderStyle(int style) {
    if (style != 0 && style != 1) return;
    borderStyle_ = style;
    ui::InvalidateRect(Hwnd(), nullptr, true);
}

}  // namespace platform::form
