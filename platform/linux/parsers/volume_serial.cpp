#include "platform/linux/parsers/volume_serial.h"

#include <string>

namespace platform::linux_backend {

namespace {

// The hexadecimal digits of a UUID without its dashes; nothing when any
// other character appears.
std::optional<std::string> HexDigits(std::string_view uuid) {
    std::string digits;
    for (const char c : uuid) {
        if (c == '-') continue;
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return std::nullopt;
        digits += c;
    }
    return digits;
}

std::uint32_t Value(std::string_view eightDigits) { return static_cast<std::uint32_t>(std::stoul(std::string(eightDigits), nullptr, 16)); }

}  // namespace

std::optional<std::uint32_t> VolumeSerialFromUuid(std::string_view fsType, std::string_view uuid) {
    const auto digits = HexDigits(uuid);
    if (!digits || digits->size() < 8) return std::nullopt;
    if (fsType == "vfat" || fsType == "msdos" || fsType == "exfat") {
        if (digits->size() != 8) return std::nullopt;
        return Value(*digits);
    }
    if (fsType == "ntfs" || fsType == "ntfs3" || fsType == "ntfs-3g" || fsType == "fuseblk") {
        if (digits->size() != 16) return Value(std::string_view(*digits).substr(0, 8));
        return Value(std::string_view(*digits).substr(8, 8));
    }
    return Value(std::string_view(*digits).substr(0, 8));
}

}  // namespace platform::linux_backend
