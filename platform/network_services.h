#pragma once
// Network cards and the registry that lists them. The registry is read the
// Windows way: open a key, enumerate its subkeys, query a value in two steps
// (its type and size first, then its data). A card is opened by its service
// name ("\\.\eth0") and asked through the NDIS statistics request, one
// object identifier (OID) at a time. Every operation refuses unless a backend
// answers it.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

namespace registry {
using Key = std::uint32_t;  // an open key; 0 is none
inline constexpr Key kLocalMachine = 0x80000002u;  // HKEY_LOCAL_MACHINE
inline constexpr std::uint32_t kKeyRead = 0x20019u;
inline constexpr std::size_t kMaxKeyName = 256;  // RegEnumKeyEx's name buffer, in characters
// Value types.
inline constexpr std::uint32_t kString = 1;          // REG_SZ
inline constexpr std::uint32_t kExpandString = 2;    // REG_EXPAND_SZ
inline constexpr std::uint32_t kBinary = 3;          // REG_BINARY
inline constexpr std::uint32_t kNumber = 4;          // REG_DWORD
inline constexpr std::uint32_t kMultiString = 7;     // REG_MULTI_SZ
// The key that lists the installed network cards, one numbered subkey each.
inline constexpr std::string_view kNetworkCards = "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
inline constexpr std::string_view kServiceName = "ServiceName";
}  // namespace registry

// RegQueryValueEx: the value's type and its size in bytes.
struct RegistryValueInfo {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
};

namespace ndis {
using Handle = std::int64_t;
inline constexpr Handle kInvalidHandle = -1;
inline constexpr std::string_view kDevicePrefix = "\\\\.\\";  // \\.\<service name>
inline constexpr std::uint32_t kQueryGlobalStats = 0x00170002u;  // IOCTL_NDIS_QUERY_GLOBAL_STATS
// Object identifiers: the request's input is one of these, 32-bit little-endian.
inline constexpr std::uint32_t kCurrentAddress = 0x01010102u;      // OID_802_3_CURRENT_ADDRESS: 6 bytes
inline constexpr std::uint32_t kVendorDescription = 0x0001010Du;  // OID_GEN_VENDOR_DESCRIPTION: text and NUL
inline constexpr std::uint32_t kDriverVersion = 0x00010110u;      // OID_GEN_DRIVER_VERSION: minor, major
inline constexpr std::size_t kOidSize = 4;
inline constexpr std::size_t kAddressSize = 6;
}  // namespace ndis

class NetworkServices {
public:
    virtual ~NetworkServices() = default;

    // Registry (read only). A key is opened with KEY_READ; subkey paths use "\".
    virtual std::optional<registry::Key> RegOpenKeyEx(registry::Key root, std::string_view subkey);
    // The name of subkey `index` (at most kMaxKeyName characters); nothing past the last.
    virtual std::optional<std::string> RegEnumKeyEx(registry::Key key, std::uint32_t index);
    // Without `data`: the value's type and size. With `data`: also copies up to
    // data.size() bytes of it, and refuses when the value is larger.
    virtual std::optional<RegistryValueInfo> RegQueryValueEx(registry::Key key, std::string_view valueName,
                                                             std::span<std::uint8_t> data = {});
    virtual void RegCloseKey(registry::Key key);

    // "\\.\" and a service name: the card's driver, or kInvalidHandle.
    virtual ndis::Handle CreateFile(std::string_view path);
    // The number of bytes written into `out`, or nothing when refused.
    virtual std::optional<std::uint32_t> DeviceIoControl(ndis::Handle handle, std::uint32_t code,
                                                         std::span<const std::uint8_t> in,
                                                         std::span<std::uint8_t> out);
    virtual void CloseHandle(ndis::Handle handle);
};

}  // namespace platform
