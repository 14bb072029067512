#pragma once
// A timer: raises Tick (the form's Timer event) every Interval milliseconds
// while Enabled. An Interval of 0 stops it, as does Enabled false. It is
// enabled from creation.

#include <memory>
#include <string>

#include "window/ui/event.h"

namespace window::form {

class Timer {
public:
    explicit Timer(std::wstring name = {});
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::wstring& Name() const { return name_; }
    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    ui::Event<> Tick;

private:
    void Apply();

    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::wstring name_;
    int interval_ = 0;
    bool enabled_ = true;
};

}  // namespace window::form
