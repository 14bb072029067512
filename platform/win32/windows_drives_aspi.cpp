// The modules, events and ASPI requests of the Windows machine's drives.
// The only module the program asks for is the ASPI module; it is looked for
// in the program's folder and the system's, never in the current folder.

#include <string>
#include <vector>

#include "platform/win32/device_request.h"
#include "platform/win32/windows_drives.h"

namespace platform::win32 {

namespace {

HMODULE AsModule(DeviceHandle module) { return reinterpret_cast<HMODULE>(module); }

}  // namespace

bool WindowsDrives::IsOpen(DeviceHandle handle) {
    const std::lock_guard lock(mutex_);
    return open_.contains(handle);
}

DeviceHandle WindowsDrives::LoadLibraryA(std::string_view file) {
    const HMODULE module = ::LoadLibraryExA(std::string(file).c_str(), nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    if (!module) return kInvalidHandleValue;
    const auto handle = reinterpret_cast<DeviceHandle>(module);
    const std::lock_guard lock(mutex_);
    // Loading a module twice counts twice; one entry stands for it, so the
    // second reference is given back at once.
    if (!modules_.insert(handle).second) ::FreeLibrary(module);
    return handle;
}

bool WindowsDrives::GetProcAddress(DeviceHandle module, std::string_view routine) {
    {
        const std::lock_guard lock(mutex_);
        if (!modules_.contains(module)) return false;
    }
    return ::GetProcAddress(AsModule(module), std::string(routine).c_str()) != nullptr;
}

std::string WindowsDrives::GetModuleFileNameA(DeviceHandle module) {
    {
        const std::lock_guard lock(mutex_);
        if (!modules_.contains(module)) return {};
    }
    // A path longer than MAX_PATH comes back cut and with
    // ERROR_INSUFFICIENT_BUFFER: asked again with more room.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::vector<char> path(size);
        ::SetLastError(ERROR_SUCCESS);
        const DWORD length = ::GetModuleFileNameA(AsModule(module), path.data(), size);
        if (length == 0) return {};
        if (length < size && ::GetLastError() == ERROR_SUCCESS) return std::string(path.data(), length);
    }
    return {};
}

bool WindowsDrives::FreeLibrary(DeviceHandle module) {
    {
        const std::lock_guard lock(mutex_);
        if (modules_.erase(module) == 0) return false;
    }
    return ::FreeLibrary(AsModule(module)) != FALSE;
}

DeviceHandle WindowsDrives::CreateEventA() {
    const HANDLE event = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);  // auto-reset, not signalled
    if (!event) return kInvalidHandleValue;
    const auto handle = reinterpret_cast<DeviceHandle>(event);
    const std::lock_guard lock(mutex_);
    open_.insert(handle);
    return handle;
}

std::uint32_t WindowsDrives::WaitForSingleObject(DeviceHandle event, std::uint32_t milliseconds) {
    if (!IsOpen(event)) return drive::kWaitFailed;
    // Never for ever: a wait the caller leaves open ends with the device limit.
    const DWORD limit = milliseconds == INFINITE ? kDeviceRequestMilliseconds : milliseconds;
    return ::WaitForSingleObject(reinterpret_cast<HANDLE>(event), limit);
}

AspiModule* WindowsDrives::Aspi() {
    const std::lock_guard lock(mutex_);
    if (!aspiTried_) {
        aspiTried_ = true;
        aspi_ = AspiModule::Load();
    }
    return aspi_.get();
}

std::uint32_t WindowsDrives::GetASPI32SupportInfo() {
    AspiModule* aspi = Aspi();
    return aspi ? aspi->GetASPI32SupportInfo() : 0;
}

std::uint32_t WindowsDrives::SendASPI32Command(SrbHaInquiry& srb) {
    AspiModule* aspi = Aspi();
    return aspi ? aspi->SendASPI32Command(srb) : srb.status = aspi::kSsNoAspi;
}

std::uint32_t WindowsDrives::SendASPI32Command(SrbGetDevType& srb) {
    AspiModule* aspi = Aspi();
    return aspi ? aspi->SendASPI32Command(srb) : srb.status = aspi::kSsNoAspi;
}

std::uint32_t WindowsDrives::SendASPI32Command(SrbExecScsiCmd& srb) {
    AspiModule* aspi = Aspi();
    return aspi ? aspi->SendASPI32Command(srb, kDeviceRequestMilliseconds) : srb.status = aspi::kSsNoAspi;
}

}  // namespace platform::win32
