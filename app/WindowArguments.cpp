#include "app/WindowArguments.h"

#include "cli/common/arguments.h"
#include "version.h"

namespace app {

namespace {

struct WindowArgumentRecord {
    bool help = false;
    bool version = false;
};

constexpr cli::FlagOption<WindowArgumentRecord> kFlags[] = {
    {"--help", &WindowArgumentRecord::help},
    {"-h", &WindowArgumentRecord::help},
    {"--version", &WindowArgumentRecord::version},
};

constexpr const char* kSeeHelp = " (see veltrix --help)";

}  // namespace

std::string WindowHelp() {
    return "usage: veltrix [--help] [--version]\n"
           "\n"
           "Shows the hardware of this machine in one window, in Dutch. The window takes\n"
           "no other arguments: VELTRIX_MACHINE=FILE.json shows a simulated machine,\n"
           "VELTRIX_ROOT=DIR a tree captured by veltrix-capture. veltrix-report writes the\n"
           "same report without a window. Status: 0 closed, 1 no display, 2 bad input.\n";
}

WindowStart ReadWindowArguments(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    WindowArgumentRecord parsed;
    cli::ParsedRest rest;
    std::string error;
    if (!cli::ParseArguments<WindowArgumentRecord>(args, kFlags, {}, parsed, rest, error)) {
        cli::FailureLine(err, "veltrix", error + kSeeHelp, 2);
        return WindowStart::kRefused;
    }
    if (!rest.operands.empty()) {
        cli::FailureLine(err, "veltrix", "unexpected argument " + cli::Quoted(rest.operands.front()) + kSeeHelp, 2);
        return WindowStart::kRefused;
    }
    if (!parsed.help && !parsed.version) return WindowStart::kOpenWindow;
    out << (parsed.help ? WindowHelp() : "veltrix " + std::string(veltrix::kVersionText) + "\n");
    out.flush();
    return WindowStart::kAnswered;
}

}  // namespace app
