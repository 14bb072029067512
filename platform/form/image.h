#pragma once
// A picture on a form, at its natural size from the top left corner, or
// stretched to the control.

#include <string>

#include "platform/form/control.h"
#include "platform/ui/event.h"
#include "platform/ui/picture.h"

namespace platform::form {

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

}  // namespace platform::form
