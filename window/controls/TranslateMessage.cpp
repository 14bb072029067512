#include "window/controls/TranslateMessage.h"

#include "window/ui/window.h"

namespace controls {

struct TranslateMessage::Proxy {
    TranslateProxy state;
    KeyRoutine routine = nullptr;
    ui::KeyFilter filter;
};

TranslateMessage::TranslateMessage() = default;
TranslateMessage::~TranslateMessage() = default;

bool TranslateMessage::Create(KeyRoutine routine) {
    if (proxy_) {
        active_ = true;
        return false;
    }
    proxy_ = std::make_unique<Proxy>();
    proxy_->routine = routine;
    proxy_->state.control = control_;
    proxy_->state.handleSpecialKeys = handleSpecialKeys_;
    proxy_->state.translateSpecialKeys = translateSpecialKeys_;
    active_ = true;
    return true;
}

void TranslateMessage::Destroy() {
    active_ = false;
    proxy_.reset();
}

void TranslateMessage::Translate() {
    if (!proxy_ || !control_ || !proxy_->routine) return;
    Proxy* proxy = proxy_.get();
    // The routine and its settings are copied into the filter: a key may make
    // a handler destroy the control, and with it the proxy, while it runs.
    proxy->filter.Activate(control_->ControlHwnd(),
                           [routine = proxy->routine, state = proxy->state](const ui::MSG& message) {
                               return routine(state, message);
                           });
}

ui::KeyResult TranslateTabKeys(const TranslateProxy& proxy, const ui::MSG& message) {
    const bool keyMessage = message.message == ui::WM_KEYDOWN || message.message == ui::WM_KEYUP;
    if (proxy.translateSpecialKeys || !keyMessage) {
        proxy.PassOn(message);
        return ui::KeyResult::NotHandled;
    }
    switch (static_cast<int>(message.wParam)) {
        case ui::VK_TAB:
            proxy.PassOn(message);
            return ui::KeyResult::Handled;
        case ui::VK_RETURN:
        case ui::VK_PRIOR:
        case ui::VK_NEXT:
        case ui::VK_END:
        case ui::VK_HOME:
        case ui::VK_LEFT:
        case ui::VK_UP:
        case ui::VK_RIGHT:
        case ui::VK_DOWN:
        {
            // Read before sending: the tab strip's handlers may destroy it.
            const bool handled = proxy.handleSpecialKeys;
            if (proxy.control) ui::SendMessage(proxy.control->ControlHwnd(), message.message, message.wParam, message.lParam);
            return handled ? ui::KeyResult::Handled : ui::KeyResult::NotHandled;
        }
        default:
            proxy.PassOn(message);
            return ui::KeyResult::NotHandled;
    }
}

}  // namespace controls
