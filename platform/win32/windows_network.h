#pragma once
// The Windows machine's registry (read only) and the NDIS statistics
// request to a network card's driver.

#include <map>
#include <mutex>
#include <set>

#include "platform/network_services.h"

namespace platform::win32 {

class WindowsNetwork final : public NetworkServices {
public:
    WindowsNetwork() = default;
    // Keys and drivers the caller left open are closed with the machine.
    ~WindowsNetwork() override;
    WindowsNetwork(const WindowsNetwork&) = delete;
    WindowsNetwork& operator=(const WindowsNetwork&) = delete;

    std::optional<registry::Key> RegOpenKeyEx(registry::Key root, std::string_view subkey) override;
    std::optional<std::string> RegEnumKeyEx(registry::Key key, std::uint32_t index) override;
    std::optional<RegistryValueInfo> RegQueryValueEx(registry::Key key, std::string_view valueName,
                                                     std::span<std::uint8_t> data) override;
    void RegCloseKey(registry::Key key) override;
    ndis::Handle CreateFile(std::string_view path) override;
    std::optional<std::uint32_t> DeviceIoControl(ndis::Handle handle, std::uint32_t code,
                                                 std::span<const std::uint8_t> in,
                                                 std::span<std::uint8_t> out) override;
    void CloseHandle(ndis::Handle handle) override;

private:
    // The system's keys are pointers; the machine interface's are numbers.
    void* Find(registry::Key key);

    std::mutex mutex_;
    std::map<registry::Key, void*> keys_;
    registry::Key nextKey_ = 1;
    std::set<ndis::Handle> drivers_;
};

}  // namespace platform::win32
