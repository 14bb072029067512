#include "app/WindowMachine.h"

#include "base/codepage.h"
#include "window/ui/dialogs.h"

namespace app {

std::unique_ptr<platform::Machine> OpenWindowMachine(const platform::MachineOptions& options, std::ostream& err) {
    auto created = platform::CreateMachine(options);
    if (created.machine) return std::move(created.machine);
    const std::string line = "veltrix: " + created.error;
    err << line << "\n";
    err.flush();
    namespace ui = window::ui;
    ui::MessageBox(nullptr, base::DecodeUtf8(line), L"Veltrix", ui::MB_OK | ui::MB_ICONERROR);
    return nullptr;
}

}  // namespace app
