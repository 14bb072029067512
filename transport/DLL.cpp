#include "transport/DLL.h"

namespace transport {

bool DLL::IsAvailable(std::string_view file, std::string_view routine) {
    const platform::DeviceHandle module = drives_.LoadLibraryA(file);
    if (module == platform::kInvalidHandleValue) return false;
    fileName_ = drives_.GetModuleFileNameA(module);
    const bool available = routine.empty() || drives_.GetProcAddress(module, routine);
    drives_.FreeLibrary(module);
    return available;
}

}  // namespace transport
