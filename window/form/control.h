#pragma once
// What every control on a form has: a name, a window, a place in pixels,
// visibility, enabled state, a free tag and a mouse pointer.

#include <string>
#include <string_view>

#include "window/form/bounds.h"
#include "window/ui/types.h"

namespace window::form {

enum class MousePointer {
    Default,    // the one of the control's container
    Arrow,
    Hourglass,  // the wait cursor
    Hand,       // a pointing hand, as over a link
    IBeam,
};

class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::wstring& Name() const { return name_; }
    // Null once the window has gone with its container.
    ui::HWND Hwnd() const { return window_; }

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    void Move(int left, int top);
    void Move(const Bounds& bounds);
    Bounds GetBounds() const;

    // The control's own setting: a control inside a hidden frame stays Visible.
    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    const std::wstring& Tag() const { return tag_; }
    void SetTag(std::wstring tag) { tag_ = std::move(tag); }

    void SetToolTipText(std::wstring_view text);
    MousePointer GetMousePointer() const { return pointer_; }
    void SetMousePointer(MousePointer pointer);

    // 0 puts the control in front of its siblings, 1 behind them.
    void ZOrder(int position = 0);
    void Refresh();
    void SetFocus();

protected:
    Control(ui::HWND window, std::wstring name);

private:
    ui::HWND window_;
    std::wstring name_;
    std::wstring tag_;
    MousePointer pointer_ = MousePointer::Default;
};

}  // namespace window::form
