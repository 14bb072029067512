#pragma once
// The drive list of a system without drive letters: the mount points of the
// mounted volumes in mount-table order (block-device file systems, network
// file systems, tmpfs and ramfs outside the system's own /dev, /run, /sys and
// /proc), then each optical drive that holds no mounted disc by its device
// path. Pseudo file systems are left out.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/areas/block_devices.h"
#include "platform/linux/parsers/mountinfo.h"

namespace platform::linux_backend {

struct LinuxVolume {
    std::string root;                  // UTF-8: "/", "/media/anna/STICK", "/dev/sr0"
    std::uint32_t driveType = 0;       // GetDriveTypeA's value
    std::optional<MountEntry> mount;   // none for an optical drive without a disc
    std::string blockName;             // "vda", "sdb1", "sr0"; empty for network and memory
    std::string disk;                  // the whole disk beneath: "sdb", "sr0"
    std::uint32_t major = 0, minor = 0;  // of blockName
    bool network = false;
};

bool IsNetworkFileSystem(std::string_view fsType);

// `opticalDisks` are the sr devices in name order.
std::vector<LinuxVolume> ListVolumes(const std::vector<MountEntry>& mounts, const BlockDeviceNumbers& numbers,
                                     const std::vector<std::string>& opticalDisks,
                                     const std::vector<std::string>& removableDisks);

}  // namespace platform::linux_backend
