#pragma once
// A horizontal scroll bar over the whole numbers Min to Max. Max may be
// below Min (the bar then runs backwards); Max = Min - 1, as for an empty
// list, leaves Value at Min. Change is raised whenever Value changes, by the
// user (after the thumb is released) or by the program.

#include <string>

#include "window/form/control.h"
#include "window/ui/event.h"

namespace window::form {

class HScrollBar : public Control {
public:
    HScrollBar(ui::HWND parent, std::wstring name, const Bounds& bounds);

    int Min() const { return min_; }
    int Max() const { return max_; }
    // A value outside the range is moved into it.
    void SetMin(int min);
    void SetMax(int max);
    int Value() const;
    // A value outside Min..Max is ignored.
    void SetValue(int value);
    int SmallChange() const;
    void SetSmallChange(int change);
    int LargeChange() const;
    void SetLargeChange(int change);

    ui::Event<> Change;
    ui::Event<> Scroll;  // while the thumb is dragged

private:
    void ApplyRange();

    int min_ = 0;
    int max_ = 32767;
};

}  // namespace window::form
