// RegOpenKeyExA, RegEnumKeyExA, RegQueryValueExA and RegCloseKey; CreateFileA
// on "\\.\<service name>" and IOCTL_NDIS_QUERY_GLOBAL_STATS with a bounded
// wait. Names, values and replies pass through as the system gives them.

#include "platform/win32/windows_network.h"

#include <string>

#include "platform/win32/device_request.h"
#include "platform/win32/win32_api.h"

namespace platform::win32 {

namespace {

HKEY AsKey(void* key) { return static_cast<HKEY>(key); }

}  // namespace

WindowsNetwork::~WindowsNetwork() {
    for (const auto& [number, key] : keys_) ::RegCloseKey(AsKey(key));
    for (const ndis::Handle handle : drivers_) ::CloseHandle(reinterpret_cast<HANDLE>(handle));
}

void* WindowsNetwork::Find(registry::Key key) {
    if (key == registry::kLocalMachine) return HKEY_LOCAL_MACHINE;
    const auto found = keys_.find(key);
    return found == keys_.end() ? nullptr : found->second;
}

std::optional<registry::Key> WindowsNetwork::RegOpenKeyEx(registry::Key root, std::string_view subkey) {
    const std::lock_guard lock(mutex_);
    void* parent = Find(root);
    if (!parent) return std::nullopt;
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(AsKey(parent), std::string(subkey).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    const registry::Key number = nextKey_++;
    keys_[number] = opened;
    return number;
}

std::optional<std::string> WindowsNetwork::RegEnumKeyEx(registry::Key key, std::uint32_t index) {
    const std::lock_guard lock(mutex_);
    void* open = Find(key);
    if (!open) return std::nullopt;
    char name[registry::kMaxKeyName + 1] = {};
    DWORD length = sizeof name;
    if (::RegEnumKeyExA(AsKey(open), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(name, length);
}

std::optional<RegistryValueInfo> WindowsNetwork::RegQueryValueEx(registry::Key key, std::string_view valueName,
                                                                 std::span<std::uint8_t> data) {
    const std::lock_guard lock(mutex_);
    void* open = Find(key);
    if (!open) return std::nullopt;
    const std::string name(valueName);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    // Larger than `data`: ERROR_MORE_DATA, refused as the interface says.
    if (::RegQueryValueExA(AsKey(open), name.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(),
                           &size) != ERROR_SUCCESS)
        return std::nullopt;
    return RegistryValueInfo{type, size};
}

void WindowsNetwork::RegCloseKey(registry::Key key) {
    const std::lock_guard lock(mutex_);
    const auto found = keys_.find(key);
    if (found == keys_.end()) return;
    ::RegCloseKey(AsKey(found->second));
    keys_.erase(found);
}

ndis::Handle WindowsNetwork::CreateFile(std::string_view path) {
    // No access is asked: the statistics request needs none.
    const HANDLE driver = ::CreateFileA(std::string(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (driver == INVALID_HANDLE_VALUE) return ndis::kInvalidHandle;
    const auto handle = reinterpret_cast<ndis::Handle>(driver);
    const std::lock_guard lock(mutex_);
    drivers_.insert(handle);
    return handle;
}

std::optional<std::uint32_t> WindowsNetwork::DeviceIoControl(ndis::Handle handle, std::uint32_t code,
                                                             std::span<const std::uint8_t> in,
                                                             std::span<std::uint8_t> out) {
    {
        const std::lock_guard lock(mutex_);
        if (!drivers_.contains(handle)) return std::nullopt;
    }
    DWORD returned = 0;
    if (!BoundedDeviceIoControl(reinterpret_cast<HANDLE>(handle), code, in.data(), static_cast<DWORD>(in.size()),
                                out.data(), static_cast<DWORD>(out.size()), returned, kDeviceRequestMilliseconds))
        return std::nullopt;
    return std::min<std::uint32_t>(returned, static_cast<std::uint32_t>(out.size()));
}

void WindowsNetwork::CloseHandle(ndis::Handle handle) {
    const std::lock_guard lock(mutex_);
    if (drivers_.erase(handle) != 0) ::CloseHandle(reinterpret_cast<HANDLE>(handle));
}

}  // namespace platform::win32
