#include "window/form/line.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

#include "window/qt/form/form_widgets.h"
#include "window/ui/window.h"

namespace window::form {

namespace {

class LineWidget : public qt::LinkedWidget<QWidget> {
public:
    explicit LineWidget(QWidget* parent) : qt::LinkedWidget<QWidget>(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const auto* line = dynamic_cast<const Line*>(control);
        if (!line) return;
        QPainter painter(this);
        const QColor color = qt::ColorOf(line->BorderColor());
        const QPoint origin = pos();
        const QPoint from = QPoint(line->X1(), line->Y1()) - origin;
        const QPoint to = QPoint(line->X2(), line->Y2()) - origin;
        if (from.y() == to.y()) {
            painter.fillRect(QRect(std::min(from.x(), to.x()), from.y(), std::abs(to.x() - from.x()), 1), color);
        } else if (from.x() == to.x()) {
            painter.fillRect(QRect(from.x(), std::min(from.y(), to.y()), 1, std::abs(to.y() - from.y())), color);
        } else {
            painter.setPen(color);
            painter.drawLine(from, to);
        }
    }
};

// The smallest box that holds the line's pixels.
Bounds BoxOf(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(1, std::abs(x2 - x1)) + (x1 != x2 && y1 != y2 ? 1 : 0),
            std::max(1, std::abs(y2 - y1)) + (x1 != x2 && y1 != y2 ? 1 : 0)};
}

ui::HWND CreateLineWindow(ui::HWND parent, std::wstring_view name, int x1, int y1, int x2, int y2) {
    return qt::CreateControlWindow(new LineWidget(qt::ParentWidget(parent)), parent, qt::kLineClassInfo, name,
                                   BoxOf(x1, y1, x2, y2));
}

}  // namespace

Line::Line(ui::HWND parent, std::wstring name, int x1, int y1, int x2, int y2)
    : Control(CreateLineWindow(parent, name, x1, y1, x2, y2), name), x1_(x1), y1_(y1), x2_(x2), y2_(y2) {}

void Line::SetPoints(int x1, int y1, int x2, int y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Move(BoxOf(x1, y1, x2, y2));
    ui::InvalidateRect(Hwnd(), nullptr, true);
}

void Line::SetBorderColor(ui::OLE_COLOR color) {
    color_ = color;
    ui::InvalidateRect(Hwnd(), nullptr, true);
}

}  // namespace window::form
