#pragma once
// A frame: a container of controls, with an etched border and an optional
// caption, or with no border at all.

#include <string>

#include "window/form/container.h"
#include "window/form/control.h"
#include "window/form/label.h"

namespace window::form {

class Frame : public Control, public Container {
public:
    Frame(ui::HWND parent, std::wstring name, const Bounds& bounds);
    ~Frame() override;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    // 0 none, 1 an etched line around it (the default).
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int style);
    // Transparent lets what lies under the frame show through (a tab page,
    // say); Opaque (the default) fills it with the window colour.
    BackStyle GetBackStyle() const { return backStyle_; }
    void SetBackStyle(BackStyle style);

private:
    std::wstring caption_;
    int borderStyle_ = 1;
    BackStyle backStyle_ = BackStyle::Opaque;
};

}  // namespace window::form
