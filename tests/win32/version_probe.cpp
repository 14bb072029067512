// Prints the Windows version the Windows machine reports (GetVersionExA) and
// the name the operating-system collector gives it, and ends with 1 when the
// version is not the expected "major.minor". Built twice: with the program's
// manifest and with the same manifest less its supportedOS entry.

#include <cstdio>
#include <string>

#include "collectors/OperatingSystem.h"
#include "platform/win32/windows_machine.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s MAJOR.MINOR\n", argv[0]);
        return 2;
    }
    platform::win32::WindowsMachine machine;
    const auto version = machine.GetVersionEx();
    if (!version) {
        std::printf("GetVersionExA refused\n");
        return 1;
    }
    const collectors::OperatingSystem system(machine);
    const std::string seen = std::to_string(version->majorVersion) + "." + std::to_string(version->minorVersion);
    std::printf("%s build %u: \"%ls\" version \"%ls\"\n", seen.c_str(), version->buildNumber, system.Name().c_str(),
                system.Version().c_str());
    return seen == argv[1] ? 0 : 1;
}
