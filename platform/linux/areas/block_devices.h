#pragma once
// Block devices as sysfs shows them under /sys/block: which are physical
// disks and in which order they are numbered, their size and sector size,
// whether their media is removable, their SCSI address and whether they sit
// on USB, and which disk each device number (a partition's too) belongs to.
// Only attributes that never talk to the device are read.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/linux/io/root_fs.h"

namespace platform::linux_backend {

// Physical disks are numbered kind by kind, in this order.
enum class DiskKind { kScsi, kNvme, kVirtio, kMmc, kOther };

// The kind of a whole disk by its kernel name; nothing for block devices that
// are not physical disks (loop, ram, zram, dm, md, optical, floppy).
std::optional<DiskKind> WholeDiskKind(std::string_view name);
// Names in natural order: digit runs compare as numbers, letter runs shorter
// first ("sdb" before "sdaa", "nvme2n1" before "nvme10n1").
bool NaturalLess(std::string_view a, std::string_view b);
// The physical disks, in drive-number order (empty nbd devices left out).
std::vector<std::string> PhysicalDisks(const RootFs& fs);
// The optical drives (sr0, sr1...) in name order.
std::vector<std::string> OpticalDisks(const RootFs& fs);

// Bytes of the whole disk (its size counts 512-byte sectors whatever the
// sector size); nothing when unreadable.
std::optional<std::uint64_t> DiskBytes(const RootFs& fs, std::string_view disk);
// A power of two from 512 to 65536; 512 when the kernel has no such
// attribute; nothing for any other figure.
std::optional<std::uint32_t> LogicalBlockSize(const RootFs& fs, std::string_view disk);
bool IsRemovable(const RootFs& fs, std::string_view disk);

struct ScsiDeviceAddress {
    std::uint32_t host = 0, channel = 0, target = 0, lun = 0;
};
// From the name of the device's scsi_device entry ("1:0:0:0").
std::optional<ScsiDeviceAddress> ScsiAddressOf(const RootFs& fs, std::string_view disk);
std::optional<ScsiDeviceAddress> ParseScsiAddress(std::string_view text);
// The disk's SCSI host is a USB storage driver (usb-storage or uas).
bool IsOnUsb(const RootFs& fs, std::string_view disk);

// A device number's disk and its own name ("sdb", "sdb1"); a device-mapper
// or md device gives the first disk beneath it.
struct BlockDeviceName {
    std::string disk;
    std::string name;
};
using BlockDeviceNumbers = std::map<std::pair<std::uint32_t, std::uint32_t>, BlockDeviceName>;
BlockDeviceNumbers ReadBlockDeviceNumbers(const RootFs& fs);

}  // namespace platform::linux_backend
