// A timer's settings; the side's Apply starts or stops the system's timer.
#include "window/form/timer.h"

namespace window::form {

void Timer::SetInterval(int milliseconds) {
    if (milliseconds < 0) return;
    interval_ = milliseconds;
    Apply();
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Apply();
}

}  // namespace window::form
