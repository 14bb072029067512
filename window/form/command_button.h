#pragma once
// A push button. The form's Default button is pressed by Enter, its Cancel
// button by Escape.

#include <string>

#include "window/form/control.h"
#include "window/ui/event.h"

namespace window::form {

class CommandButton : public Control {
public:
    CommandButton(ui::HWND parent, std::wstring name, const Bounds& bounds, std::wstring caption);

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool isCancel);

    ui::Event<> Click;

private:
    std::wstring caption_;
    bool default_ = false;
    bool cancel_ = false;
};

}  // namespace window::form
