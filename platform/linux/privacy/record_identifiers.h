#pragma once
// Identifiers in the records of particular files, found by what the record
// says each field is; the rest of each text still goes through
// MaskFreeText afterwards.

#include "platform/linux/privacy/text_identifiers.h"

namespace platform::linux_backend {

// A udev database entry: serial numbers, WWNs and UUIDs of its E: properties,
// wherever else they appear in it (the S: links and DEVLINKS name the disk
// by them).
void MaskUdevEntry(TextMasker& text);
// "Serial : ..." lines of /proc/cpuinfo (the board serial of ARM machines).
void MaskCpuinfoSerial(TextMasker& text);
// "U: Uniq=" lines of /proc/bus/input/devices that are not MAC addresses
// (wireless keyboards and mice report their own serial there).
void MaskInputUniq(TextMasker& text);

}  // namespace platform::linux_backend
