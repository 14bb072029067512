#include "window/form/line.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

#include "window/form/internal/side.h"
#include "window/qt/form/form_widgets.h"

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

}  // namespace

ui::HWND side::CreateLineWindow(ui::HWND parent, std::wstring_view name, const Bounds& box) {
    return qt::CreateControlWindow(new LineWidget(qt::ParentWidget(parent)), parent, qt::kLineClassInfo, name, box);
}

}  // namespace window::form
