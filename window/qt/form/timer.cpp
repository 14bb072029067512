#include "window/form/timer.h"

#include <QTimer>

namespace window::form {

struct Timer::Impl {
    QTimer timer;
};

Timer::Timer(std::wstring name) : impl_(std::make_unique<Impl>()), name_(std::move(name)) {
    QObject::connect(&impl_->timer, &QTimer::timeout, &impl_->timer, [this] { Tick.Raise(); });
}

Timer::~Timer() = default;

void Timer::Apply() {
    if (enabled_ && interval_ > 0) impl_->timer.start(interval_);
    else impl_->timer.stop();
}

}  // namespace window::form
