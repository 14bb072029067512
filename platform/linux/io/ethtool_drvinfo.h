#pragma once
// The driver information of a network interface, as the kernel's ethtool
// request ETHTOOL_GDRVINFO returns it (struct ethtool_drvinfo). Recorded as
// channel "ethtool", request "<interface>.drvinfo": the 196 bytes as returned.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/bytes.h"

namespace platform::linux_backend {

using base::Bytes;

namespace ethtool {
inline constexpr std::string_view kChannel = "ethtool";
inline constexpr std::string_view kDrvinfoSuffix = ".drvinfo";
inline constexpr std::uint32_t kGetDriverInfo = 0x00000003;  // ETHTOOL_GDRVINFO
}  // namespace ethtool

// The reply's layout: a command word, then five fixed text fields, then five
// counters. Texts end at their first NUL, or at the end of their field.
struct EthtoolDrvinfoLayout {
    static constexpr std::size_t kCommand = 0;
    static constexpr std::size_t kDriver = 4;
    static constexpr std::size_t kDriverLength = 32;
    static constexpr std::size_t kVersion = 36;
    static constexpr std::size_t kVersionLength = 32;
    static constexpr std::size_t kFirmwareVersion = 68;
    static constexpr std::size_t kBusInfo = 100;
    static constexpr std::size_t kSize = 196;
};

struct DriverInfo {
    std::string driver;   // "e1000e"
    std::string version;  // "3.2.6-k", or the kernel release for drivers without their own
};

// Nothing unless the reply has the full size and answers the driver-information command.
std::optional<DriverInfo> DecodeDrvinfo(const Bytes& reply);

// The first number of the version text and the number after its first ".":
// "3.2.6-k" gives 3 and 2, "6.1.0-13-amd64" 6 and 1, "2" 2 and 0. Nothing for
// a text without digits or for numbers above 255.
struct DriverVersion {
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
};
std::optional<DriverVersion> ParseDriverVersion(std::string_view version);

// Asks the kernel (SIOCETHTOOL on a datagram socket); this machine only.
std::optional<Bytes> LiveDrvinfo(const std::string& interfaceName);

}  // namespace platform::linux_backend
