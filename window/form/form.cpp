// What a form is on either side: its caption, font and timers; the window
// itself is the side's (form/internal/side.h).
#include "window/form/form.h"

#include "window/form/internal/side.h"
#include "window/ui/window.h"

namespace window::form {

Form::Form(std::wstring name, int clientWidth, int clientHeight, FormStyle style)
    : Container(side::CreateFormWindow(this, name, style)), impl_(std::make_unique<Impl>()), name_(std::move(name)) {
    window_ = ContainerHwnd();
    impl_->style = style;
    SetClientSize(clientWidth, clientHeight);
}

Form::~Form() {
    timers_.clear();
    DestroyControls();
    side::ForgetForm(window_);
    ui::DestroyWindow(window_);
}

std::wstring Form::Caption() const { return ui::GetWindowText(window_); }

void Form::SetCaption(std::wstring_view caption) { ui::SetWindowText(window_, caption); }

void Form::SetFont(const ui::StdFont& font) { font_ = font; }

void Form::Refresh() { ui::UpdateWindow(window_); }

Timer& Form::AddTimer(std::wstring name) {
    timers_.push_back(std::make_unique<Timer>(std::move(name)));
    return *timers_.back();
}

Timer* Form::FindTimer(std::wstring_view name) const {
    for (const auto& timer : timers_) {
        if (timer->Name() == name) return timer.get();
    }
    return nullptr;
}

}  // namespace window::form
