#include "platform/linux/areas/linux_drives.h"

#include <algorithm>

#include "base/codepage.h"
#include "platform/drive_records.h"
#include "platform/linux/areas/block_devices.h"
#include "platform/linux/parsers/cdrom_info.h"
#include "platform/linux/parsers/mountinfo.h"
#include "platform/linux/parsers/udev_database.h"
#include "platform/linux/io/volume_replies.h"
#include "platform/linux/parsers/volume_serial.h"

namespace platform::linux_backend {

namespace {

// A root as the drive list hands it out: as the kernel gave it, in Linux's
// own code page (UTF-8), so that two names never become one.
const std::string& NameOf(const std::string& root) { return root; }

std::optional<std::size_t> PhysicalDriveNumber(std::string_view name) {
    if (!name.starts_with(drive::kPhysicalDrive)) return std::nullopt;
    const auto digits = name.substr(drive::kPhysicalDrive.size());
    if (digits.size() != 1 || digits[0] < '0' || digits[0] > '9') return std::nullopt;
    return static_cast<std::size_t>(digits[0] - '0');
}

}  // namespace

LinuxDrives::LinuxDrives(LinuxContext& context) : LinuxDrives(context.fs, *context.replies) {}
LinuxDrives::LinuxDrives(const RootFs& fs, ReplySource& replies) : fs_(fs), replies_(replies) {}
LinuxDrives::~LinuxDrives() = default;

const std::vector<std::string>& LinuxDrives::Disks() {
    if (!disks_) disks_ = PhysicalDisks(fs_);
    return *disks_;
}

const std::vector<LinuxVolume>& LinuxDrives::Volumes() {
    if (volumes_) return *volumes_;
    const auto mountinfo = fs_.ReadFile("/proc/self/mountinfo");
    std::vector<std::string> removable;
    for (const auto& disk : Disks())
        if (IsRemovable(fs_, disk)) removable.push_back(disk);
    volumes_ = ListVolumes(mountinfo ? ParseMountInfo(*mountinfo) : std::vector<MountEntry>{},
                           ReadBlockDeviceNumbers(fs_), OpticalDisks(fs_), removable);
    // A container host has thousands of mounts, and every request names its
    // volume: each root is made a name once and found through the index.
    names_.reserve(volumes_->size());
    byName_.reserve(volumes_->size());
    for (std::size_t i = 0; i < volumes_->size(); ++i) {
        names_.push_back(NameOf((*volumes_)[i].root));
        ++nameDecodes_;
        byName_.emplace(names_.back(), i);
    }
    return *volumes_;
}

const LinuxVolume* LinuxDrives::FindVolume(std::string_view name) {
    const auto& volumes = Volumes();
    const auto found = byName_.find(std::string(name));
    return found == byName_.end() ? nullptr : &volumes[found->second];
}

DeviceHandle LinuxDrives::CreateFileA(std::string_view fileName, std::uint32_t, std::uint32_t, std::uint32_t,
                                      std::uint32_t) {
    if (!fileName.starts_with(drive::kDevicePrefix)) return kInvalidHandleValue;
    const auto name = fileName.substr(drive::kDevicePrefix.size());
    Open open;
    if (const auto number = PhysicalDriveNumber(name)) {
        if (*number >= Disks().size()) return kInvalidHandleValue;
        open.disk = *number;
    } else if (const auto* volume = FindVolume(name)) {
        open.volume = static_cast<std::size_t>(volume - Volumes().data());
    } else {
        return kInvalidHandleValue;
    }
    const DeviceHandle handle = next_++;
    handles_.emplace(handle, open);
    return handle;
}

bool LinuxDrives::CloseHandle(DeviceHandle handle) { return handles_.erase(handle) == 1; }

bool LinuxDrives::DeviceIoControl(DeviceHandle device, std::uint32_t code, std::span<const std::uint8_t> in,
                                  std::span<std::uint8_t> out, std::uint32_t& bytesReturned) {
    bytesReturned = 0;
    const auto it = handles_.find(device);
    if (it == handles_.end()) return false;
    if (it->second.disk) return DiskRequest(*it->second.disk, code, in, out, bytesReturned);
    return VolumeRequest(Volumes()[*it->second.volume], code, out, bytesReturned);
}

std::string LinuxDrives::GetLogicalDriveStringsA() {
    std::string strings;
    Volumes();
    for (const auto& name : names_) {
        strings += name;
        strings += '\0';
    }
    return strings;
}

std::uint32_t LinuxDrives::GetDriveTypeA(std::string_view root) {
    const auto* volume = FindVolume(root);
    return volume ? volume->driveType : drive::kDriveNoRootDir;
}

std::optional<VolumeInformation> LinuxDrives::GetVolumeInformationA(std::string_view root) {
    const auto* volume = FindVolume(root);
    if (!volume || !volume->mount) return std::nullopt;
    std::optional<VolumeIdentity> identity;
    if (!volume->blockName.empty()) {
        const auto udev = fs_.ReadFile("/run/udev/data/b" + std::to_string(volume->major) + ":" +
                                       std::to_string(volume->minor));
        if (udev) identity = VolumeIdentityFromUdev(*udev);
        if (!identity) {
            const auto reply = replies_.Ask(kBlkidChannel, volume->blockName, [&]() -> std::optional<Bytes> {
                const auto probed = ProbeVolume("/dev/" + volume->blockName);
                if (!probed) return std::nullopt;
                return EncodeBlkidReply(*probed);
            });
            if (reply) identity = DecodeBlkidReply(*reply);
        }
    }
    VolumeInformation information;
    information.fileSystemName = NameOf(volume->mount->fsType);
    information.maximumComponentLength = 255;
    if (identity) {
        information.volumeName = NameOf(identity->label);
        information.volumeSerialNumber = VolumeSerialFromUuid(volume->mount->fsType, identity->uuid);
    }
    return information;
}

std::optional<DiskFreeSpace> LinuxDrives::GetDiskFreeSpaceA(std::string_view root) {
    const auto* volume = FindVolume(root);
    if (!volume || !volume->mount) return std::nullopt;
    // A stick mounted under its serial is shown masked under --privacy;
    // statvfs needs the real mount point.
    const std::string mountPoint = fs_.RealPath(volume->mount->mountPoint);
    // Only file systems served by another process or machine can stall.
    const bool mayStall = volume->network || volume->mount->fsType.starts_with("fuse");
    const auto reply = replies_.Ask(kStatvfsChannel, std::to_string(volume->mount->mountId),
                                    [&]() -> std::optional<Bytes> {
                                        const auto figures =
                                            mayStall ? StatVolume(mountPoint, std::chrono::milliseconds(kStatvfsLimitMs))
                                                     : StatVolume(mountPoint);
                                        if (!figures) return std::nullopt;
                                        return EncodeStatvfsReply(*figures);
                                    });
    if (!reply) return std::nullopt;
    const auto figures = DecodeStatvfsReply(*reply);
    return figures ? ClustersOfVolume(*figures) : std::nullopt;
}

}  // namespace platform::linux_backend
