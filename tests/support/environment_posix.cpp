#include <clocale>
#include <cstdlib>
#include <filesystem>

#include "environment.h"

namespace testing_support {

void SetEnvironment(const std::string& name, const std::string& value) { ::setenv(name.c_str(), value.c_str(), 1); }

void UnsetEnvironment(const std::string& name) { ::unsetenv(name.c_str()); }

bool UseDecimalCommaNumericLocale() {
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) return true;
    // Not generated on this machine: make it in a folder of our own.
    const auto dir = std::filesystem::temp_directory_path() / "veltrix-locales";
    std::filesystem::create_directories(dir);
    const std::string make = "localedef -i de_DE -f UTF-8 " + (dir / "de_DE.UTF-8").string() + " 2>/dev/null";
    if (std::system(make.c_str()) != 0) return false;
    SetEnvironment("LOCPATH", dir.string());
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
}

}  // namespace testing_support
