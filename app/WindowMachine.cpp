#include "app/WindowMachine.h"

#include "platform/codepage.h"
#include "platform/ui/dialogs.h"

namespace app {

std::unique_ptr<platform::Machine> OpenWindowMachine(const platform::MachineOptions& options, std::ostream& err) {
    auto created = platform::CreateMachine(options);
    if (created.machine) return std::move(created.machine);
    const std::string line = "veltrix: " + created.error;
    err << line << "\n";
    err.flush();
    namespace ui = platform::ui;
    ui::MessageBox(nullptr, platform::DecodeUtf8(line), L"Veltrix", ui::MB_OK | ui::MB_ICONERROR);
    return nullptr;
}

}  // namespace app
