#pragma once
// A key filter for one window: while that window has the keyboard focus,
// every key message is offered to a routine before the program's normal
// keyboard handling sees it. The routine answers Handled to swallow the key
// or NotHandled to let it go on as usual. Only the filter made active last
// acts; it stays active until another one is activated or it is removed.

#include <functional>
#include <memory>

#include "window/ui/messages.h"

namespace window::ui {

enum class KeyResult {
    Handled,     // the key goes no further
    NotHandled,  // normal handling follows
};

class KeyFilter {
public:
    using Routine = std::function<KeyResult(const MSG& message)>;

    KeyFilter();
    ~KeyFilter();
    KeyFilter(const KeyFilter&) = delete;
    KeyFilter& operator=(const KeyFilter&) = delete;

    // Filters the keys of `window` with `routine` and makes this filter the
    // active one.
    void Activate(HWND window, Routine routine);
    void Remove();
    bool IsActive() const;

    // The form's own keyboard handling for a key message: Tab and Shift+Tab
    // move the focus to the next or previous control of the window (Handled);
    // any other key is left alone (NotHandled).
    static KeyResult DefaultTranslate(const MSG& message);

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace window::ui
