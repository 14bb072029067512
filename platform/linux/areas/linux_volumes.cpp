#include "platform/linux/areas/linux_volumes.h"

#include <algorithm>

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

// The device number's name, or for file systems that show an anonymous
// number (btrfs) the device named as the source.
const BlockDeviceName* FindDevice(const MountEntry& mount, const BlockDeviceNumbers& numbers, std::uint32_t& major,
                                  std::uint32_t& minor) {
    if (const auto it = numbers.find({mount.major, mount.minor}); it != numbers.end() && mount.major != 0) {
        major = mount.major;
        minor = mount.minor;
        return &it->second;
    }
    if (!mount.source.starts_with("/dev/")) return nullptr;
    const auto name = std::string_view(mount.source).substr(mount.source.rfind('/') + 1);
    for (const auto& [number, device] : numbers)
        if (device.name == name) {
            major = number.first;
            minor = number.second;
            return &device;
        }
    return nullptr;
}

bool Contains(const std::vector<std::string>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
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
    std::vector<LinuxVolume> volumes;
    std::vector<std::string> opticalWithDisc;
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
        } else if (const auto* device = FindDevice(mount, numbers, volume.major, volume.minor)) {
            volume.blockName = device->name;
            volume.disk = device->disk;
            if (Contains(opticalDisks, device->disk)) {
                volume.driveType = drive::kDriveCdrom;
                opticalWithDisc.push_back(device->disk);
            } else {
                volume.driveType = Contains(removableDisks, device->disk) ? drive::kDriveRemovable : drive::kDriveFixed;
            }
        } else {
            continue;  // proc, sysfs, cgroup, overlay and their kin
        }
        volumes.push_back(std::move(volume));
    }
    for (const auto& optical : opticalDisks) {
        if (Contains(opticalWithDisc, optical)) continue;
        LinuxVolume volume;
        volume.root = "/dev/" + optical;
        volume.driveType = drive::kDriveCdrom;
        volume.blockName = optical;
        volume.disk = optical;
        for (const auto& [number, device] : numbers)
            if (device.name == optical) std::tie(volume.major, volume.minor) = number;
        volumes.push_back(std::move(volume));
    }
    return volumes;
}

}  // namespace platform::linux_backend
