#pragma once
// IDENTIFY DEVICE data made from the three texts a kernel knows of a disk
// that does not speak ATA (NVMe, SCSI, USB, MMC, virtio): serial number,
// firmware revision and model in their ATA words, each word's two characters
// stored in the drive's byte order (second character first), padded with
// blanks. Everything else is zero.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// NVMe Identify Controller data (CNS 01h): 4096 bytes, the texts in their
// reading order, ASCII padded with blanks on the right.
namespace nvme_identify {
inline constexpr std::size_t kLength = 4096;
inline constexpr std::size_t kSerialOffset = 4, kSerialLength = 20;     // SN, bytes 4-23
inline constexpr std::size_t kModelOffset = 24, kModelLength = 40;      // MN, bytes 24-63
inline constexpr std::size_t kFirmwareOffset = 64, kFirmwareLength = 8; // FR, bytes 64-71
}  // namespace nvme_identify

// The three texts of a disk's identity, as bytes in the machine's code page.
struct DiskIdentityText {
    std::string model;
    std::string firmware;
    std::string serial;
};

// Identify Controller data holding the three texts (cut to their fields on a
// whole character); everything else zero.
std::vector<std::uint8_t> MakeNvmeIdentifyController(std::string_view model, std::string_view firmware,
                                                     std::string_view serial, base::CodePage page);
// The texts of Identify Controller data, blanks trimmed at both ends; nothing
// when the data is shorter than the firmware field's end.
std::optional<DiskIdentityText> ReadNvmeIdentifyController(std::span<const std::uint8_t> data);

}  // namespace platform
