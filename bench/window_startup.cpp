// Opens the Veltrix window on this machine (or VELTRIX_MACHINE) as the program
// does, without the clock measurement's half-second wait, shows it, lets it
// paint, and exits. Prints the time from the start of main to the window
// shown; run it under bench/peak-memory for the whole process's time and peak
// memory.

#include <chrono>
#include <cstdio>

#include "app/FormVeltrix.h"
#include "no_wait_machine.h"
#include "platform/machine_factory.h"
#include "platform/ui/application.h"

int main(int argc, char** argv) {
    const auto start = std::chrono::steady_clock::now();
    platform::ui::Application application(argc, argv, L"Veltrix");
    auto created = platform::CreateMachine(platform::MachineOptionsFromEnvironment());
    if (!created.machine) {
        std::fprintf(stderr, "%s\n", created.error.c_str());
        return 2;
    }
    bench::NoWaitMachine machine(*created.machine);
    app::FormVeltrix window(machine);
    window.Load();
    window.Form().Show();
    platform::ui::Application::ProcessEvents();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("window shown %.1f ms after main started (clock wait excluded)\n", ms);
    return 0;
}
