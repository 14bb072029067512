#pragma once
// Drives of the Linux machine: the physical disks numbered by kind and name,
// the mounted volumes and optical drives as the drive list, SCSI pass-through
// to optical drives. Everything is read under the file-system root; ioctl
// answers (IDENTIFY, SCSI commands, libblkid, statvfs) go through the
// recorded-reply source, so a captured tree answers the same (docs/captures.md).

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/drive_services.h"
#include "platform/linux/areas/linux_context.h"
#include "platform/linux/areas/linux_volumes.h"
#include "platform/linux/io/replies.h"
#include "platform/linux/io/root_fs.h"

namespace platform::linux_backend {

inline constexpr std::string_view kScsiChannel = "scsi";

// The recorded request of a command block to an optical drive: "sr0.inquiry"
// for standard INQUIRY, "sr0.mode-2a" for MODE SENSE(10) of page 2Ah's
// current values, "sr0.cdb-<hex of the block>" for any other.
std::string ScsiRequestName(std::string_view disk, std::span<const std::uint8_t> cdb);

class LinuxDrives final : public DriveServices {
public:
    // A statvfs that has not answered after this long (a dead network
    // server) leaves its volume without figures.
    static constexpr std::uint32_t kStatvfsLimitMs = 2000;

    explicit LinuxDrives(LinuxContext& context);
    LinuxDrives(const RootFs& fs, ReplySource& replies);
    ~LinuxDrives() override;

    DeviceHandle CreateFileA(std::string_view fileName, std::uint32_t desiredAccess, std::uint32_t shareMode,
                             std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes) override;
    bool DeviceIoControl(DeviceHandle device, std::uint32_t ioControlCode, std::span<const std::uint8_t> in,
                         std::span<std::uint8_t> out, std::uint32_t& bytesReturned) override;
    bool DeviceIoControl(DeviceHandle device, std::uint32_t ioControlCode, ScsiPassThroughDirect& request) override;
    bool CloseHandle(DeviceHandle handle) override;
    std::string GetLogicalDriveStringsA() override;
    std::uint32_t GetDriveTypeA(std::string_view root) override;
    std::optional<VolumeInformation> GetVolumeInformationA(std::string_view root) override;
    std::optional<DiskFreeSpace> GetDiskFreeSpaceA(std::string_view root) override;

    // How many mount points were turned into drive names: each once, however
    // many requests name them (a counter for tests).
    std::size_t NameDecodes() const { return nameDecodes_; }

private:
    struct Open {
        std::optional<std::size_t> disk;    // index into Disks()
        std::optional<std::size_t> volume;  // index into Volumes()
    };

    const std::vector<std::string>& Disks();
    const std::vector<LinuxVolume>& Volumes();
    const LinuxVolume* FindVolume(std::string_view name);
    bool DiskRequest(std::size_t disk, std::uint32_t code, std::span<const std::uint8_t> in,
                     std::span<std::uint8_t> out, std::uint32_t& bytesReturned);
    bool VolumeRequest(const LinuxVolume& volume, std::uint32_t code, std::span<std::uint8_t> out,
                       std::uint32_t& bytesReturned);
    std::uint32_t BusType(const std::string& disk);
    std::optional<Bytes> InquiryFromSysfs(const std::string& disk, std::span<const std::uint8_t> cdb);

    const RootFs& fs_;
    ReplySource& replies_;
    std::optional<std::vector<std::string>> disks_;
    std::optional<std::vector<LinuxVolume>> volumes_;
    // The drive name of each volume, in drive-list order, and the volume each
    // name opens (the first of equal names), made once with the list.
    std::vector<std::string> names_;
    std::unordered_map<std::string, std::size_t> byName_;
    std::size_t nameDecodes_ = 0;
    std::optional<std::map<std::string, bool>> readsDvd_;
    std::map<DeviceHandle, Open> handles_;
    DeviceHandle next_ = 1;
};

}  // namespace platform::linux_backend
