#pragma once
// The program's connection to the desktop: one per process, made before any
// window, running the message loop until the last form closes.

#include <memory>
#include <string_view>

namespace window::ui {

// Whether a window can be shown: a display (X11 or Wayland) is named in the
// environment, or a platform plugin is forced (QT_QPA_PLATFORM, as tests do).
bool DisplayAvailable();

// Status of a program that found no display to open its window on.
inline constexpr int kExitNoDisplay = 1;

class Application {
public:
    // When no display can be opened (DISPLAY names a server that is not
    // there), the toolkit gives up for good; the constructor then prints one
    // line on standard error ("veltrix: cannot open a window: could not
    // connect to display :99") and ends the process with kExitNoDisplay
    // rather than let the toolkit abort with a core dump.
    Application(int& argc, char** argv, std::wstring_view name);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Speaks one language whatever the desktop's: the toolkit's own texts
    // (the save dialog's buttons, the window menu's system entries) come in
    // `language` ("nl"), when its translation is installed.
    static void UseLanguage(std::string_view language);

    // Runs until the last visible form closes or Quit is called.
    int Run();
    static void Quit(int exitCode = 0);
    // Handles what is waiting (painting, timers, input) and returns.
    static void ProcessEvents();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace window::ui
