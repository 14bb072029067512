#include "platform/linux/io/ethtool_drvinfo.h"

#include <linux/ethtool.h>
#include <linux/sockios.h>
#include <net/if.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

#include "base/bytes.h"

namespace platform::linux_backend {

static_assert(sizeof(ethtool_drvinfo) == EthtoolDrvinfoLayout::kSize);
static_assert(offsetof(ethtool_drvinfo, driver) == EthtoolDrvinfoLayout::kDriver);
static_assert(offsetof(ethtool_drvinfo, version) == EthtoolDrvinfoLayout::kVersion);
static_assert(offsetof(ethtool_drvinfo, fw_version) == EthtoolDrvinfoLayout::kFirmwareVersion);
static_assert(offsetof(ethtool_drvinfo, bus_info) == EthtoolDrvinfoLayout::kBusInfo);
static_assert(ETHTOOL_GDRVINFO == ethtool::kGetDriverInfo);

namespace {

std::string FieldText(const Bytes& reply, std::size_t offset, std::size_t length) {
    std::string text(reinterpret_cast<const char*>(reply.data() + offset), length);
    if (const auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    return text;
}

// Reads a decimal number at `pos`; nothing when it exceeds a byte.
std::optional<std::uint8_t> ByteNumber(std::string_view text, std::size_t& pos) {
    unsigned value = 0;
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + static_cast<unsigned>(text[pos] - '0');
        if (value > 255) return std::nullopt;
        ++pos;
    }
    if (pos == start) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

}  // namespace

std::optional<DriverInfo> DecodeDrvinfo(const Bytes& reply) {
    if (reply.size() != EthtoolDrvinfoLayout::kSize) return std::nullopt;
    if (base::ReadLe32(reply, EthtoolDrvinfoLayout::kCommand) != ethtool::kGetDriverInfo) return std::nullopt;
    DriverInfo info;
    info.driver = FieldText(reply, EthtoolDrvinfoLayout::kDriver, EthtoolDrvinfoLayout::kDriverLength);
    info.version = FieldText(reply, EthtoolDrvinfoLayout::kVersion, EthtoolDrvinfoLayout::kVersionLength);
    return info;
}

std::optional<DriverVersion> ParseDriverVersion(std::string_view version) {
    std::size_t pos = version.find_first_of("0123456789");
    if (pos == std::string_view::npos) return std::nullopt;
    DriverVersion result;
    const auto major = ByteNumber(version, pos);
    if (!major) return std::nullopt;
    result.major = *major;
    if (pos + 1 < version.size() && version[pos] == '.' && version[pos + 1] >= '0' && version[pos + 1] <= '9') {
        ++pos;
        const auto minor = ByteNumber(version, pos);
        if (!minor) return std::nullopt;
        result.minor = *minor;
    }
    return result;
}

std::optional<Bytes> LiveDrvinfo(const std::string& interfaceName) {
    if (interfaceName.empty() || interfaceName.size() >= IFNAMSIZ) return std::nullopt;
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return std::nullopt;
    ethtool_drvinfo info{};
    info.cmd = ETHTOOL_GDRVINFO;
    ifreq request{};
    std::memcpy(request.ifr_name, interfaceName.data(), interfaceName.size());
    request.ifr_data = reinterpret_cast<char*>(&info);
    const int result = ::ioctl(fd, SIOCETHTOOL, &request);
    ::close(fd);
    if (result != 0) return std::nullopt;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&info);
    return Bytes(bytes, bytes + sizeof info);
}

}  // namespace platform::linux_backend
