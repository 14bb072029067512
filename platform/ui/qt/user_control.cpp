// The plain container a control of the program lives in. It paints its
// background and nothing else; the control's own window procedure does the
// rest.

#include "platform/ui/qt/window_classes.h"
#include "platform/ui/window.h"

namespace platform::ui::qt {

const WindowClassInfo kUserControlClassInfo{
    .name = kUserControlClass,
    .procedure = &DefWindowProc,
    .doubleClicks = true,
    .ownsInput = true,
    .mouseMoves = false,
};

QWidget* CreateUserControlWidget(QWidget* parent, std::uint32_t /*style*/) { return new HostWidget(parent); }

}  // namespace platform::ui::qt
