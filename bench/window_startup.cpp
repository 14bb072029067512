// Opens the Veltrix window on this machine (or VELTRIX_MACHINE) as the program
// does, without the clock measurement's half-second wait, shows it, lets it
// paint, and exits. Prints the time from the start of main to the window
// shown; under bench/peak-memory, the wall time is from process start to the
// window shown, and the peak memory is the window's.

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/FormVeltrix.h"
#include "platform/machine_factory.h"
#include "window/ui/application.h"

int main(int argc, char** argv) {
    const auto start = std::chrono::steady_clock::now();
    window::ui::Application application(argc, argv, L"Veltrix");
    auto options = platform::MachineOptionsFromEnvironment();
    options.realWaits = false;
    auto created = platform::CreateMachine(options);
    if (!created.machine) {
        std::fprintf(stderr, "%s\n", created.error.c_str());
        return 2;
    }
    app::FormVeltrix window(*created.machine);
    window.Load();
    window.Form().Show();
    window::ui::Application::ProcessEvents();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("window shown %.1f ms after main started (clock wait excluded)\n", ms);
    // Leave without tearing the window down, so that peak-memory's wall time
    // is the time from process start to the window shown.
    std::fflush(stdout);
    std::_Exit(0);
}
