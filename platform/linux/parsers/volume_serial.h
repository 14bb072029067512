#pragma once
// The 32-bit volume serial number of a Linux volume, from its UUID: FAT and
// exFAT volumes have a 32-bit serial as their UUID ("1234-ABCD"); NTFS has a
// 64-bit serial whose low 32 bits are the ones shown; any other file system
// gives the first 32 bits of its UUID. No UUID, no serial.

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform::linux_backend {

std::optional<std::uint32_t> VolumeSerialFromUuid(std::string_view fsType, std::string_view uuid);

}  // namespace platform::linux_backend
