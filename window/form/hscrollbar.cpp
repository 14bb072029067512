// A scroll bar's ends; the side's ApplyRange shows them and keeps the value
// inside.
#include "window/form/hscrollbar.h"

namespace window::form {

void HScrollBar::SetMin(int min) {
    min_ = min;
    ApplyRange();
}

void HScrollBar::SetMax(int max) {
    max_ = max;
    ApplyRange();
}

}  // namespace window::form
