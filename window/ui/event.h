#pragma once
// An event of a control or form: one handler, the way a form wires one
// procedure to each event. Raising an event without a handler does nothing.

#include <functional>
#include <utility>

namespace window::ui {

template <typename... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;

    // Replaces the handler; an empty one disconnects.
    void Connect(Handler handler) { handler_ = std::move(handler); }
    bool Connected() const { return static_cast<bool>(handler_); }

    // The handler may replace itself or destroy the sender while it runs.
    void Raise(Args... args) const {
        if (!handler_) return;
        Handler running = handler_;
        running(std::forward<Args>(args)...);
    }

private:
    Handler handler_;
};

}  // namespace window::ui
