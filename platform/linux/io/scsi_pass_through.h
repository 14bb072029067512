#pragma once
// Commands to a device through the kernel's SCSI pass-through (SG_IO), data
// from the device only. The device file is opened read-only and non-blocking,
// so an empty drive does not wait for media and no root is needed where the
// desktop gives the user the drive. Every command has a time limit.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "base/bytes.h"

namespace platform::linux_backend {

using base::Bytes;

struct PassThroughResult {
    std::uint8_t scsiStatus = 0;  // 0 GOOD, 2 CHECK CONDITION...
    Bytes data;                   // what the device sent
};

// Nothing when the device cannot be opened, the request fails, or the host
// adapter or its driver report an error (the command did not reach the
// device or did not come back).
std::optional<PassThroughResult> SendScsiCommand(const std::string& devicePath, std::span<const std::uint8_t> cdb,
                                                 std::uint32_t transferLength, std::uint32_t timeoutMilliseconds);

// IDENTIFY DEVICE through ATA PASS-THROUGH(16): the 512 bytes as the drive
// sent them, or nothing.
std::optional<Bytes> AtaIdentify(const std::string& devicePath);
// IDENTIFY DEVICE of an old IDE disk (/dev/hdX) through the driver's identity
// request. The driver hands the three texts over in reading order; they are
// put back into the drive's order (two characters a word, high byte first),
// so the bytes are those the drive sent.
std::optional<Bytes> IdeIdentity(const std::string& devicePath);
// The three IDENTIFY texts (serial, firmware, model) with the two bytes of
// each word exchanged: reading order to the drive's order and back.
void SwapIdentifyTexts(Bytes& identify);

}  // namespace platform::linux_backend
