#pragma once
// IDENTIFY DEVICE data made from the three texts a kernel knows of a disk
// that does not speak ATA (NVMe, SCSI, USB, MMC, virtio): serial number,
// firmware revision and model in their ATA words, each word's two characters
// stored in the drive's byte order (second character first), padded with
// blanks. Everything else is zero.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/codepage.h"

namespace platform {

namespace identify {
inline constexpr std::size_t kLength = 512;
inline constexpr std::size_t kSerialOffset = 20, kSerialLength = 20;    // words 10-19
inline constexpr std::size_t kFirmwareOffset = 46, kFirmwareLength = 8; // words 23-26
inline constexpr std::size_t kModelOffset = 54, kModelLength = 40;      // words 27-46
}  // namespace identify

using IdentifyBlock = std::array<std::uint8_t, identify::kLength>;

// Texts are in the machine's code page `page`; longer ones are cut to their
// field on a whole character.
IdentifyBlock MakeIdentifyBlock(std::string_view model, std::string_view firmware, std::string_view serial,
                                base::CodePage page);

}  // namespace platform
