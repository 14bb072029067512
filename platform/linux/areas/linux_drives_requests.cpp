// The device requests of the Linux drives: SMART and geometry of physical
// disks, the bus and media type behind a volume, the SCSI address of an
// optical drive and the commands sent to it.

#include <algorithm>

#include "platform/drive_records.h"
#include "platform/linux/areas/block_devices.h"
#include "platform/linux/parsers/cdrom_info.h"
#include "platform/linux/areas/disk_identity.h"
#include "platform/linux/areas/linux_drives.h"
#include "platform/linux/io/scsi_pass_through.h"
#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

// The disk driver reports today's disks with this made-up geometry.
constexpr std::uint32_t kTracksPerCylinder = 255;
constexpr std::uint32_t kSectorsPerTrack = 63;
constexpr std::uint32_t kDefaultSectorBytes = 512;

constexpr std::uint8_t kInquiry = 0x12;
constexpr std::uint8_t kModeSense10 = 0x5A;
constexpr std::uint8_t kCapabilitiesPage = 0x2A;

bool IsOptical(std::string_view disk) { return disk.starts_with("sr"); }

}  // namespace

std::string ScsiRequestName(std::string_view disk, std::span<const std::uint8_t> cdb) {
    const std::string prefix = std::string(disk) + ".";
    if (cdb.size() == 6 && cdb[0] == kInquiry && (cdb[1] & 0x01) == 0 && cdb[2] == 0) return prefix + "inquiry";
    if (cdb.size() == 10 && cdb[0] == kModeSense10 && cdb[2] == kCapabilitiesPage) return prefix + "mode-2a";
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name = prefix + "cdb-";
    for (const auto byte : cdb) {
        name += kHex[byte >> 4];
        name += kHex[byte & 0xF];
    }
    return name;
}

// The kernel keeps the identification fields of a SCSI device's INQUIRY data
// in sysfs, readable by every user: where the drive itself may not be asked
// (no permission on the device file), standard INQUIRY is answered from them.
std::optional<Bytes> LinuxDrives::InquiryFromSysfs(const std::string& disk, std::span<const std::uint8_t> cdb) {
    if (ScsiRequestName(disk, cdb) != disk + ".inquiry") return std::nullopt;
    const std::string device = "/sys/block/" + disk + "/device/";
    const auto vendor = fs_.ReadFile(device + "vendor", 256);
    const auto model = fs_.ReadFile(device + "model", 256);
    const auto rev = fs_.ReadFile(device + "rev", 256);
    if (!vendor || !model || !rev) return std::nullopt;
    const auto type = fs_.ReadFile(device + "type", 256);
    Bytes reply(36, 0);
    reply[0] = static_cast<std::uint8_t>(ParseDecimal(type ? Trim(*type) : "5").value_or(5) & 0x1F);
    reply[1] = 0x80;  // removable medium
    reply[4] = 31;    // additional length of the 36 bytes
    const auto put = [&](const std::string& text, std::size_t offset, std::size_t length) {
        const auto field = text.substr(0, text.find('\n'));
        for (std::size_t i = 0; i < length; ++i) reply[offset + i] = i < field.size() ? static_cast<std::uint8_t>(field[i]) : ' ';
    };
    put(*vendor, 8, 8);
    put(*model, 16, 16);
    put(*rev, 32, 4);
    return reply;
}

bool LinuxDrives::DiskRequest(std::size_t index, std::uint32_t code, std::span<const std::uint8_t> in,
                              std::span<std::uint8_t> out, std::uint32_t& bytesReturned) {
    const std::string& disk = Disks()[index];
    if (code == drive::kSmartGetVersion) {
        // Every disk answers identity requests, ATA or not.
        GetVersionInParams version;
        version.bVersion = 1;
        version.bRevision = 1;
        version.bIDEDeviceMap = static_cast<std::uint8_t>(1u << (index % 8));
        if (!WriteRecord(version, out)) return false;
        bytesReturned = sizeof(version);
        return true;
    }
    if (code == drive::kSmartRcvDriveData) {
        const auto request = ReadRecord<SendCmdInParams>(in);
        if (!request || request->irDriveRegs.bCommandReg != SendCmdInParams::kIdentifyDevice ||
            out.size() < send_cmd_out::kSize)
            return false;
        const auto block = DiskIdentify(fs_, replies_, disk);
        std::fill(out.begin(), out.begin() + send_cmd_out::kDataOffset, std::uint8_t{0});
        base::WriteLe32(out, send_cmd_out::kBufferSizeOffset,
                        static_cast<std::uint32_t>(send_cmd_out::kIdentifyLength));
        std::copy(block.begin(), block.end(), out.begin() + send_cmd_out::kDataOffset);
        bytesReturned = static_cast<std::uint32_t>(send_cmd_out::kSize);
        return true;
    }
    if (code == drive::kIoctlDiskGetDriveGeometry) {
        const auto bytes = DiskBytes(fs_, disk);
        if (!bytes) return false;
        DiskGeometry geometry;
        geometry.bytesPerSector = LogicalBlockSize(fs_, disk).value_or(kDefaultSectorBytes);
        geometry.tracksPerCylinder = kTracksPerCylinder;
        geometry.sectorsPerTrack = kSectorsPerTrack;
        geometry.mediaType = DiskGeometry::kFixedMedia;
        geometry.cylinders = static_cast<std::int64_t>(
            *bytes / (static_cast<std::uint64_t>(kTracksPerCylinder) * kSectorsPerTrack * geometry.bytesPerSector));
        if (!WriteRecord(geometry, out)) return false;
        bytesReturned = sizeof(geometry);
        return true;
    }
    return false;
}

std::uint32_t LinuxDrives::BusType(const std::string& disk) {
    namespace q = storage_query;
    if (IsOnUsb(fs_, disk)) return q::kBusTypeUsb;
    switch (WholeDiskKind(disk).value_or(DiskKind::kOther)) {
        case DiskKind::kScsi: {
            const auto vendor = fs_.ReadFile("/sys/block/" + disk + "/device/vendor", 256);
            return vendor && Trim(*vendor) == "ATA" ? q::kBusTypeSata : q::kBusTypeScsi;
        }
        case DiskKind::kNvme: return q::kBusTypeNvme;
        case DiskKind::kMmc: return q::kBusTypeSd;
        case DiskKind::kVirtio: return q::kBusTypeVirtual;
        case DiskKind::kOther: break;
    }
    return IsOptical(disk) ? q::kBusTypeAtapi : q::kBusTypeUnknown;
}

bool LinuxDrives::VolumeRequest(const LinuxVolume& volume, std::uint32_t code, std::span<std::uint8_t> out,
                                std::uint32_t& bytesReturned) {
    if (volume.disk.empty()) return false;  // network and memory volumes have no device
    if (code == drive::kIoctlStorageQueryProperty) {
        namespace q = storage_query;
        if (out.size() < q::kThroughBusType) return false;
        std::fill(out.begin(), out.end(), std::uint8_t{0});
        base::WriteLe32(out, q::kVersionOffset, 1);
        base::WriteLe32(out, q::kSizeOffset, static_cast<std::uint32_t>(q::kThroughBusType));
        base::WriteLe32(out, q::kBusTypeOffset, BusType(volume.disk));
        bytesReturned = static_cast<std::uint32_t>(q::kThroughBusType);
        return true;
    }
    if (code == drive::kIoctlStorageGetMediaTypesEx) {
        if (!IsOptical(volume.disk) || out.size() < media_types::kHeaderSize) return false;
        if (!readsDvd_) {
            const auto info = fs_.ReadFile("/proc/sys/dev/cdrom/info");
            readsDvd_ = info ? DrivesReadingDvd(*info) : std::map<std::string, bool>{};
        }
        const auto dvd = readsDvd_->find(volume.disk);
        const bool readsDvd = dvd != readsDvd_->end() && dvd->second;
        std::fill(out.begin(), out.end(), std::uint8_t{0});
        base::WriteLe32(out, media_types::kDeviceTypeOffset,
                        readsDvd ? media_types::kFileDeviceDvd : media_types::kFileDeviceCdrom);
        bytesReturned = static_cast<std::uint32_t>(media_types::kHeaderSize);
        return true;
    }
    if (code == drive::kIoctlScsiGetAddress) {
        const auto address = ScsiAddressOf(fs_, volume.disk);
        if (!address || address->host > 255 || address->channel > 255 || address->target > 255 || address->lun > 255)
            return false;
        ScsiAddress reply;
        reply.portNumber = static_cast<std::uint8_t>(address->host);
        reply.pathId = static_cast<std::uint8_t>(address->channel);
        reply.targetId = static_cast<std::uint8_t>(address->target);
        reply.lun = static_cast<std::uint8_t>(address->lun);
        if (!WriteRecord(reply, out)) return false;
        bytesReturned = sizeof(reply);
        return true;
    }
    return false;
}

bool LinuxDrives::DeviceIoControl(DeviceHandle device, std::uint32_t code, ScsiPassThroughDirect& request) {
    const auto it = handles_.find(device);
    if (code != drive::kIoctlScsiPassThroughDirect || it == handles_.end() || !it->second.volume) return false;
    const auto& volume = Volumes()[*it->second.volume];
    if (!IsOptical(volume.disk) || request.cdbLength == 0 || request.cdbLength > request.cdb.size() ||
        request.dataIn != ScsiPassThroughDirect::kDataIn)
        return false;
    const auto cdb = std::span<const std::uint8_t>(request.cdb).first(request.cdbLength);
    const auto transfer = std::min<std::size_t>(request.dataTransferLength, request.dataBuffer.size());
    // Only commands the drive finished with GOOD status have a reply; the
    // others fail here as they would on a captured tree.
    const auto reply = replies_.Ask(kScsiChannel, ScsiRequestName(volume.disk, cdb), [&]() -> std::optional<Bytes> {
        const auto result = SendScsiCommand("/dev/" + volume.disk, cdb, static_cast<std::uint32_t>(transfer),
                                            request.timeOutValue * 1000);
        if (!result || result->scsiStatus != ScsiPassThroughDirect::kStatusGood) return std::nullopt;
        return result->data;
    });
    const auto answer = reply ? reply : InquiryFromSysfs(volume.disk, cdb);
    if (!answer) return false;
    const std::size_t sent = std::min(answer->size(), transfer);
    std::copy_n(answer->begin(), sent, request.dataBuffer.begin());
    request.dataTransferLength = static_cast<std::uint32_t>(sent);
    request.scsiStatus = ScsiPassThroughDirect::kStatusGood;
    return true;
}

}  // namespace platform::linux_backend
