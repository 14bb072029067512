// Veltrix: the hardware of this machine in one window. The machine is this
// one, or the one VELTRIX_MACHINE (a simulated machine) or VELTRIX_ROOT (a
// captured tree) names.

#include <iostream>

#include "app/FormVeltrix.h"
#include "platform/machine_factory.h"
#include "platform/ui/application.h"

int main(int argc, char** argv) {
    platform::ui::Application application(argc, argv, L"Veltrix");
    platform::ui::Application::UseLanguage("nl");  // the program always speaks Dutch
    auto created = platform::CreateMachine(platform::MachineOptionsFromEnvironment());
    if (!created.machine) {
        std::cerr << "veltrix: " << created.error << "\n";
        return 2;
    }
    app::FormVeltrix window(*created.machine);
    window.Load();
    window.Form().Show();
    return application.Run();
}
