#pragma once
// The window program's command line: it takes its machine from the
// environment (VELTRIX_MACHINE, VELTRIX_ROOT) and answers only --help and
// --version, on standard output, without opening a window.

#include <ostream>
#include <string>
#include <vector>

namespace app {

// What main does after reading the command line.
enum class WindowStart {
    kOpenWindow,  // no arguments: open the window
    kAnswered,    // --help or --version written: exit with status 0
    kRefused,     // one line on the error stream: exit with status 2
};

std::string WindowHelp();

// Reads the arguments (without the program name), writes the answer or the
// error line, and says what to do next.
WindowStart ReadWindowArguments(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace app
