#include "platform/linux/areas/linux_volumes.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "platform/drive_services.h"

namespace platform::linux_backend {

namespace {

bool IsUnder(std::string_view path, std::string_view top) {
    return path == top || (path.starts_with(top) && path.size() > top.size() && path[top.size()] == '/');
}

bool IsSystemPath(std::string_view path) {
    for (const auto top : {"/dev", "/run", "/sys", "/proc"})
        if (IsUnder(path, top)) return true;
    return false;
}

using DeviceNumber = std::pair<std::uint32_t, std::uint32_t>;
// Block devices by their own name ("sdb1"), made once for every mount to look up.
using NumbersByName = std::unordered_map<std::string_view, DeviceNumber>;

NumbersByName IndexByName(const BlockDeviceNumbers& numbers) {
    NumbersByName byName;
    byName.reserve(numbers.size());
    for (const auto& [number, device] : numbers) byName.emplace(device.name, number);  // the lowest number wins
    return byName;
}

// The device number's name, or for file systems that show an anonymous
// number (btrfs) the device named as the source.
const BlockDeviceName* FindDevice(const MountEntry& mount, const BlockDeviceNumbers& numbers,
                                  const NumbersByName& byName, std::uint32_t& major, std::uint32_t& minor) {
    if (const auto it = numbers.find({mount.major, mount.minor}); it != numbers.end() && mount.major != 0) {
        major = mount.major;
        minor = mount.minor;
        return &it->second;
    }
    if (!mount.source.starts_with("/dev/")) return nullptr;
    const auto name = std::string_view(mount.source).substr(mount.source.rfind('/') + 1);
    const auto found = byName.find(name);
    if (found == byName.end()) return nullptr;
    std::tie(major, minor) = found->second;
    return &numbers.at(found->second);
}

}  // namespace

bool IsNetworkFileSystem(std::string_view fsType) {
    for (const auto network : {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "9p", "ceph", "glusterfs",
                               "fuse.sshfs", "fuse.glusterfs", "fuse.davfs2", "davfs", "fuse.rclone", "fuse.s3fs"})
        if (fsType == network) return true;
    return false;
}

std::vector<LinuxVolume> ListVolumes(const std::vector<MountEntry>& mounts, const BlockDeviceNumbers& numbers,
                                     const std::vector<std::string>& opticalDisks,
                                     const std::vector<std::string>& removableDisks) {
    const NumbersByName byName = IndexByName(numbers);
    const std::unordered_set<std::string_view> optical(opticalDisks.begin(), opticalDisks.end());
    const std::unordered_set<std::string_view> removable(removableDisks.begin(), removableDisks.end());
    std::unordered_set<std::string> opticalWithDisc;
    std::vector<LinuxVolume> volumes;
    for (const auto& mount : mounts) {
        LinuxVolume volume;
        volume.root = mount.mountPoint;
        volume.mount = mount;
        if (IsNetworkFileSystem(mount.fsType)) {
            volume.driveType = drive::kDriveRemote;
            volume.network = true;
        } else if (mount.fsType == "tmpfs" || mount.fsType == "ramfs") {
            if (IsSystemPath(mount.mountPoint)) continue;
            volume.driveType = drive::kDriveRamdisk;
        } else if (const auto* device = FindDevice(mount, numbers, byName, volume.major, volume.minor)) {
            volume.blockName = device->name;
            volume.disk = device->disk;
            if (optical.contains(device->disk)) {
                volume.driveType = drive::kDriveCdrom;
                opticalWithDisc.insert(device->disk);
            } else {
                volume.driveType = removable.contains(device->disk) ? drive::kDriveRemovable : drive::kDriveFixed;
            }
        } else {
            continue;  // proc, sysfs, cgroup, overlay and their kin
        }
        volumes.push_back(std::move(volume));
    }
    for (const auto& disk : opticalDisks) {
        if (opticalWithDisc.contains(disk)) continue;
        LinuxVolume volume;
        volume.root = "/dev/" + disk;
        volume.driveType = drive::kDriveCdrom;
        volume.blockName = disk;
        volume.disk = disk;
        if (const auto found = byName.find(disk); found != byName.end())
            std::tie(volume.major, volume.minor) = found->second;
        volumes.push_back(std::move(volume));
    }
    return volumes;
}

}  // namespace platform::linux_backend
