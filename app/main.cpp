// Veltrix: the hardware of this machine in one window. The machine is this
// one, or the one VELTRIX_MACHINE (a simulated machine) or VELTRIX_ROOT (a
// captured tree) names. The command line takes only --help and --version,
// answered without a display.

#include <iostream>
#include <string>
#include <vector>

#include "app/FormVeltrix.h"
#include "app/WindowArguments.h"
#include "app/WindowMachine.h"
#include "window/ui/application.h"

int main(int argc, char** argv) {
    switch (app::ReadWindowArguments(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr)) {
        case app::WindowStart::kAnswered: return 0;
        case app::WindowStart::kRefused: return 2;
        case app::WindowStart::kOpenWindow: break;
    }
    if (!window::ui::DisplayAvailable()) {
        std::cerr << "veltrix: cannot open a window: no display is set (DISPLAY or WAYLAND_DISPLAY); "
                     "veltrix-report writes the same report without one\n";
        return window::ui::kExitNoDisplay;
    }
    window::ui::Application application(argc, argv, L"Veltrix");
    window::ui::Application::UseLanguage("nl");  // the program always speaks Dutch
    const auto machine = app::OpenWindowMachine(platform::MachineOptionsFromEnvironment(), std::cerr);
    if (!machine) return 2;
    app::FormVeltrix window(*machine);
    window.Load();
    window.Form().Show();
    return application.Run();
}
