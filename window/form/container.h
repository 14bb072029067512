#pragma once
// A form or a frame: makes controls inside itself and owns them. Design
// positions are converted with Twips(); every control is found again by its
// name.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "window/form/bounds.h"
#include "window/ui/types.h"

namespace window::form {

class CommandButton;
class Control;
class Frame;
class HScrollBar;
class Image;
class Label;
class Line;

class Container {
public:
    virtual ~Container();
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    Label& AddLabel(std::wstring name, const Bounds& bounds, std::wstring caption = {});
    Frame& AddFrame(std::wstring name, const Bounds& bounds);
    HScrollBar& AddHScrollBar(std::wstring name, const Bounds& bounds);
    Line& AddLine(std::wstring name, int x1, int y1, int x2, int y2);
    Image& AddImage(std::wstring name, const Bounds& bounds);
    CommandButton& AddCommandButton(std::wstring name, const Bounds& bounds, std::wstring caption);

    // Searches this container and the frames inside it; null when absent or
    // of another kind.
    Control* FindControl(std::wstring_view name) const;
    template <typename T>
    T* Find(std::wstring_view name) const {
        return dynamic_cast<T*>(FindControl(name));
    }
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

protected:
    explicit Container(ui::HWND window) : containerWindow_(window) {}
    ui::HWND ContainerHwnd() const { return containerWindow_; }
    // Destroys the controls, newest first.
    void DestroyControls();

private:
    template <typename T>
    T& Keep(std::unique_ptr<T> control);

    ui::HWND containerWindow_;
    std::vector<std::unique_ptr<Control>> controls_;
};

}  // namespace window::form
