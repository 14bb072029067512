#include "platform/win32/windows_machine.h"

#include "platform/win32/system_text.h"

namespace platform::win32 {

WindowsMachine::WindowsMachine() { InstallSystemCodePages(); }

std::unique_ptr<Machine> OpenWindowsMachine(const std::string& root, std::string& error) {
    if (!root.empty() && root != "/") {  // "/" is the default: this machine
        error = root + ": a captured tree (--root, VELTRIX_ROOT) is read by the Linux build of Veltrix only";
        return nullptr;
    }
    return std::make_unique<WindowsMachine>();
}

}  // namespace platform::win32
