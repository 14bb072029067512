#include "platform/network_services.h"

namespace platform {

// The plain area: no registry and no cards.
std::optional<registry::Key> NetworkServices::RegOpenKeyEx(registry::Key, std::string_view) { return std::nullopt; }
std::optional<std::string> NetworkServices::RegEnumKeyEx(registry::Key, std::uint32_t) { return std::nullopt; }
std::optional<RegistryValueInfo> NetworkServices::RegQueryValueEx(registry::Key, std::string_view,
                                                                  std::span<std::uint8_t>) {
    return std::nullopt;
}
void NetworkServices::RegCloseKey(registry::Key) {}
ndis::Handle NetworkServices::CreateFile(std::string_view) { return ndis::kInvalidHandle; }
std::optional<std::uint32_t> NetworkServices::DeviceIoControl(ndis::Handle, std::uint32_t,
                                                              std::span<const std::uint8_t>, std::span<std::uint8_t>) {
    return std::nullopt;
}
void NetworkServices::CloseHandle(ndis::Handle) {}

}  // namespace platform
