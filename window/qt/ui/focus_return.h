#pragma once
// A modal dialog hands the keyboard back to the window it came from. When a
// dialog closes, the toolkit leaves the next active window to the window
// manager, which may pick none: the arrow keys then do nothing until a
// click. While a FocusReturn lives it remembers the owner's focused control;
// when it ends it activates the owner again and gives that control the focus.

#include <QPointer>
#include <QWidget>

namespace window::ui::qt {

class FocusReturn {
public:
    // `owner` is any widget of the window the dialog belongs to; null (a
    // dialog without an owner) remembers nothing.
    explicit FocusReturn(QWidget* owner);
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> focused_;
};

}  // namespace window::ui::qt
