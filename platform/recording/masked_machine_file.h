#pragma once
// A machine file with its identifiers masked (veltrix-capture --privacy
// where the machine itself cannot mask what it answers): the same masks the
// Linux backend's privacy filter makes (platform/linux/privacy/), put where
// the machine file keeps each identifier, so that the file still reads and
// reports and every mask keeps its value's shape (docs/captures.md,
// "Privacy").

#include "platform/linux/privacy/identifier_mask.h"
#include "platform/recording/machine_record.h"

namespace platform::recording {

// Masks, in place: disk serial numbers (IDENTIFY data words 10-19 and the
// world wide name, NVMe Identify Controller SN, the storage descriptor's
// serial), the processor serial number (CPUID leaf 3), volume serial numbers, MAC addresses of the NDIS replies, USB
// serial numbers (the string the device descriptor names, and the instance
// IDs made of it), print servers' host names (of connections, their records
// and ports), and user names in paths (C:\Users\<name>\).
void MaskMachineFile(FileJson& file, const linux_backend::IdentifierMask& mask);

// The key of a masked capture: made from VELTRIX_PRIVACY_KEY when it is set
// (the same text gives the same masks), else fresh for every capture, so two
// captures cannot be linked by their masks.
linux_backend::HashKey CaptureMaskKey();

}  // namespace platform::recording
