#include "platform/machine_factory.h"

#include <cstdlib>

#include "base/printable_text.h"
#include "platform/regular_file.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_reader.h"
#ifdef _WIN32
#include "platform/win32/system_text.h"
#include "platform/win32/windows_machine.h"
#else
#include "platform/linux/areas/linux_machine.h"
#endif

namespace platform {

namespace {

MachineOrError FromText(std::string text, const std::string& name) {
    MachineOrError result;
    try {
        result.machine = std::make_unique<sim::SimMachine>(sim::ParseMachineText(std::move(text)));
    } catch (const sim::SimFileError& e) {
        result.error = name + ": " + e.what();
    }
    return result;
}

MachineOrError Create(const MachineOptions& options) {
    MachineOrError result;
    if (!options.error.empty()) {
        result.error = options.error;
        return result;
    }
    if (options.machineFile.empty()) {
#ifdef _WIN32
        if (options.privacy) {
            result.error = "--privacy is not available on Windows yet";
            return result;
        }
        result.machine = win32::OpenWindowsMachine(options.root, result.error);
#else
        result.machine =
            linux_backend::OpenLinuxMachine(options.root, result.error, options.realWaits, options.privacy);
#endif
        return result;
    }
    // A machine file masks nothing itself: what it holds is what it shows.
    // The report masks one by capturing it masked first (cli/report/report_io.cpp).
    if (options.privacy) {
        result.error = "--privacy masks the Linux machine and captured trees, not a machine file";
        return result;
    }
    FileRead file = ReadRegularFile(options.machineFile, kFileReadLimit);
    if (!file.content) {
        result.error = options.machineFile + ": " + file.error;
        return result;
    }
    return FromText(std::move(*file.content), options.machineFile);
}

}  // namespace

MachineOrError CreateMachineFromText(std::string text, const std::string& name) {
#ifdef _WIN32
    win32::InstallSystemCodePages();
#endif
    MachineOrError result = FromText(std::move(text), name);
    result.error = base::EscapeNonPrintable(result.error);
    return result;
}

MachineOrError CreateMachine(const MachineOptions& options) {
#ifdef _WIN32
    // The report is written in the system's ANSI code page whichever machine it describes.
    win32::InstallSystemCodePages();
#endif
    MachineOrError result = Create(options);
    // File names, keys and reply bytes quoted in the message come from outside.
    result.error = base::EscapeNonPrintable(result.error);
    return result;
}

MachineOptions MachineOptionsFromEnvironment() {
    MachineOptions options;
    const char* file = std::getenv("VELTRIX_MACHINE");
    const char* root = std::getenv("VELTRIX_ROOT");
    if (file && *file) options.machineFile = file;
    if (root && *root) options.root = root;
    // Which one was meant cannot be known; the command line refuses the same pair.
    if (file && *file && root && *root) options.error = "VELTRIX_MACHINE and VELTRIX_ROOT cannot be used together";
    return options;
}

}  // namespace platform
