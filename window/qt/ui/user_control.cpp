// The plain container a control of the program lives in. It paints its
// background and nothing else; the control's own window procedure does the
// rest.

#include "window/qt/ui/window_classes.h"
#include "window/ui/window.h"

namespace window::ui::qt {

const WindowClassInfo kUserControlClassInfo{
    .name = kUserControlClass,
    .procedure = &DefWindowProc,
    .doubleClicks = true,
    .ownsInput = true,
    .mouseMoves = false,
};

QWidget* CreateUserControlWidget(QWidget* parent, std::uint32_t /*style*/) { return new HostWidget(parent); }

}  // namespace window::ui::qt
