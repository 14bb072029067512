#include <clocale>
#include <cstdlib>

#include "environment.h"

namespace testing_support {

// The C runtime's own copy of the environment is what getenv reads.
void SetEnvironment(const std::string& name, const std::string& value) { ::_putenv_s(name.c_str(), value.c_str()); }

void UnsetEnvironment(const std::string& name) { ::_putenv_s(name.c_str(), ""); }

bool UseDecimalCommaNumericLocale() {
    // Windows names its locales by language and country; every version has German.
    return std::setlocale(LC_NUMERIC, "German_Germany.1252") != nullptr ||
           std::setlocale(LC_NUMERIC, "German") != nullptr;
}

}  // namespace testing_support
