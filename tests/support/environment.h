#pragma once
// What a test changes in its own process's surroundings, each system its
// own way (environment_posix.cpp, environment_win32.cpp; CMake picks one).

#include <string>

namespace testing_support {

// Sets or removes a variable of this process's environment, as getenv sees it.
void SetEnvironment(const std::string& name, const std::string& value);
void UnsetEnvironment(const std::string& name);

// Makes the C library's LC_NUMERIC a locale whose decimal sign is a comma
// (German); false when the system has none.
bool UseDecimalCommaNumericLocale();

}  // namespace testing_support
