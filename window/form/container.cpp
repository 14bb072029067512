#include "window/form/container.h"

#include "window/form/command_button.h"
#include "window/form/frame.h"
#include "window/form/hscrollbar.h"
#include "window/form/image.h"
#include "window/form/label.h"
#include "window/form/line.h"

namespace window::form {

Container::~Container() { DestroyControls(); }

void Container::DestroyControls() {
    while (!controls_.empty()) controls_.pop_back();
}

template <typename T>
T& Container::Keep(std::unique_ptr<T> control) {
    T& kept = *control;
    controls_.push_back(std::move(control));
    return kept;
}

Label& Container::AddLabel(std::wstring name, const Bounds& bounds, std::wstring caption) {
    return Keep(std::make_unique<Label>(containerWindow_, std::move(name), bounds, std::move(caption)));
}

Frame& Container::AddFrame(std::wstring name, const Bounds& bounds) {
    return Keep(std::make_unique<Frame>(containerWindow_, std::move(name), bounds));
}

HScrollBar& Container::AddHScrollBar(std::wstring name, const Bounds& bounds) {
    return Keep(std::make_unique<HScrollBar>(containerWindow_, std::move(name), bounds));
}

Line& Container::AddLine(std::wstring name, int x1, int y1, int x2, int y2) {
    return Keep(std::make_unique<Line>(containerWindow_, std::move(name), x1, y1, x2, y2));
}

Image& Container::AddImage(std::wstring name, const Bounds& bounds) {
    return Keep(std::make_unique<Image>(containerWindow_, std::move(name), bounds));
}

CommandButton& Container::AddCommandButton(std::wstring name, const Bounds& bounds, std::wstring caption) {
    return Keep(std::make_unique<CommandButton>(containerWindow_, std::move(name), bounds, std::move(caption)));
}

Control* Container::FindControl(std::wstring_view name) const {
    for (const auto& control : controls_) {
        if (control->Name() == name) return control.get();
    }
    for (const auto& control : controls_) {
        if (const auto* frame = dynamic_cast<const Frame*>(control.get())) {
            if (Control* found = frame->FindControl(name)) return found;
        }
    }
    return nullptr;
}

}  // namespace window::form
