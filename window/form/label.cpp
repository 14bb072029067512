// A label's colours: kept here, shown by the side's Repaint.
#include "window/form/label.h"

namespace window::form {

void Label::SetForeColor(ui::OLE_COLOR color) {
    if (color == foreColor_) return;
    foreColor_ = color;
    Repaint();
}

void Label::SetBackColor(ui::OLE_COLOR color) {
    if (color == backColor_) return;
    backColor_ = color;
    Repaint();
}

}  // namespace window::form
