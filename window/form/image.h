#pragma once
// A picture on a form, at its natural size from the top left corner, or
// stretched to the control.

#include <string>

#include "window/form/control.h"
#include "window/ui/event.h"
#include "window/ui/picture.h"

namespace window::form {

class Image : public Control {
public:
    Image(ui::HWND parent, std::wstring name, const Bounds& bounds);

    const ui::Picture& Picture() const { return picture_; }
    void SetPicture(const ui::Picture& picture);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);

    ui::Event<> Click;
    ui::Event<> DblClick;

private:
    ui::Picture picture_;
    bool stretch_ = false;
};

}  // namespace window::form
