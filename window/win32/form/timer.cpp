// A timer is the system's thread timer (SetTimer without a window): the
// message loop calls back, and the callback finds the timer by its number.
#include "window/win32/form/form_windows.h"

#include "window/form/timer.h"

#include <map>

namespace window::form {

namespace {

std::map<::UINT_PTR, Timer*>& Running() {
    static std::map<::UINT_PTR, Timer*> timers;
    return timers;
}

void CALLBACK Elapsed(::HWND, ::UINT, ::UINT_PTR id, ::DWORD) {
    const auto found = Running().find(id);
    if (found != Running().end()) found->second->Tick.Raise();
}

}  // namespace

struct Timer::Impl {
    ::UINT_PTR id = 0;
};

Timer::Timer(std::wstring name) : impl_(std::make_unique<Impl>()), name_(std::move(name)) {}

Timer::~Timer() {
    if (impl_->id) {
        ::KillTimer(nullptr, impl_->id);
        Running().erase(impl_->id);
    }
}

void Timer::Apply() {
    if (impl_->id) {
        ::KillTimer(nullptr, impl_->id);
        Running().erase(impl_->id);
        impl_->id = 0;
    }
    if (!enabled_ || interval_ == 0) return;
    impl_->id = ::SetTimer(nullptr, 0, static_cast<::UINT>(interval_), &Elapsed);
    if (impl_->id) Running()[impl_->id] = this;
}

}  // namespace window::form
