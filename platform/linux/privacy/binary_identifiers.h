#pragma once
// Identifiers inside binary records the backend reads: each record is masked
// in place, its length and every other byte unchanged, and a checksum the
// record carries still says what it said before.

#include <cstdint>
#include <span>

#include "platform/linux/privacy/identifier_mask.h"

namespace platform::linux_backend {

// ATA IDENTIFY DEVICE data (512 bytes): the serial number (words 10-19, its
// characters swapped in pairs as the drive sends them; masked as the text it
// stands for, so it gets the mask the same serial gets elsewhere) and the
// world wide name (words 108-111, masked whole as the hex digits udev
// writes for it, so it gets the mask it gets in the udev database).
void MaskIdentifyData(std::span<std::uint8_t> data, const IdentifierMask& mask);
// A VPD page 80h (unit serial number) and a VPD page 89h (ATA information,
// IDENTIFY data at byte 60). Other pages are left alone.
void MaskVpdPage(std::span<std::uint8_t> page, const IdentifierMask& mask);
// A monitor's EDID base block: the 32-bit serial (bytes 12-15) and the text of
// a display serial descriptor (tag FFh).
void MaskEdid(std::span<std::uint8_t> edid, const IdentifierMask& mask);
// The processor serial number of CPUID leaf 3 (ECX and EDX of the reply).
void MaskCpuidSerial(std::span<std::uint8_t> reply, const IdentifierMask& mask);

}  // namespace platform::linux_backend
