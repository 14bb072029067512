#include "window/form/image.h"

#include <QPainter>

#include "window/qt/form/form_widgets.h"
#include "window/qt/qt_bridge.h"
#include "window/ui/window.h"

namespace window::form {

namespace {

class ImageWidget : public qt::ClickableWidget {
public:
    using qt::ClickableWidget::ClickableWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        const auto* image = dynamic_cast<const Image*>(control);
        if (!image || image->Picture().IsEmpty()) return;
        QPainter painter(this);
        const QImage& picture = ui::qt::ImageOf(image->Picture());
        if (image->Stretch()) painter.drawImage(rect(), picture);
        else painter.drawImage(QPoint(0, 0), picture);
    }
};

ui::HWND CreateImageWindow(ui::HWND parent, std::wstring_view name, const Bounds& bounds) {
    return qt::CreateControlWindow(new ImageWidget(qt::ParentWidget(parent)), parent, qt::kImageClassInfo, name, bounds);
}

}  // namespace

Image::Image(ui::HWND parent, std::wstring name, const Bounds& bounds)
    : Control(CreateImageWindow(parent, name, bounds), name) {
    if (auto* widget = dynamic_cast<ImageWidget*>(ui::qt::WidgetOf(Hwnd()))) {
        widget->onClick = [widget] {
            if (auto* image = dynamic_cast<Image*>(widget->control)) image->Click.Raise();
        };
        widget->onDblClick = [widget] {
            if (auto* image = dynamic_cast<Image*>(widget->control)) image->DblClick.Raise();
        };
    }
}

void Image::SetPicture(const ui::Picture& picture) {
    picture_ = picture;
    ui::InvalidateRect(Hwnd(), nullptr, true);
}

void Image::SetStretch(bool stretch) {
    stretch_ = stretch;
    ui::InvalidateRect(Hwnd(), nullptr, true);
}

}  // namespace window::form
