#pragma once
// Network cards on Linux. The registry key of network cards is made from
// the interfaces that have a device (net_interfaces.h), in ifindex order:
// subkeys "1", "2", ... each with the ServiceName of its interface; every
// other key is refused. "\\.\<interface>" opens the card, and the NDIS
// queries are answered from sysfs (the current hardware address), the ID
// databases (the description) and the kernel's driver information (ethtool,
// recorded as channel "ethtool", request "<interface>.drvinfo").

#include <optional>
#include <string>
#include <vector>

#include "platform/linux/areas/id_databases.h"
#include "platform/linux/areas/linux_context.h"
#include "platform/linux/areas/net_interfaces.h"
#include "platform/linux/io/replies.h"
#include "platform/linux/io/root_fs.h"
#include "platform/network_services.h"

namespace platform::linux_backend {

class LinuxNetwork final : public NetworkServices {
public:
    explicit LinuxNetwork(LinuxContext& context)
        : fs_(context.fs), replies_(*context.replies), ids_(context.Ids()) {}

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
    const std::vector<NetworkCard>& Cards();
    const NetworkCard* CardOfHandle(ndis::Handle handle);
    std::optional<std::uint32_t> CurrentAddress(const NetworkCard& card, std::span<std::uint8_t> out);
    std::optional<std::uint32_t> Description(const NetworkCard& card, std::span<std::uint8_t> out);
    std::optional<std::uint32_t> DriverVersion(const NetworkCard& card, std::span<std::uint8_t> out);

    const RootFs& fs_;
    ReplySource& replies_;
    IdDatabases& ids_;
    std::optional<std::vector<NetworkCard>> cards_;
};

}  // namespace platform::linux_backend
