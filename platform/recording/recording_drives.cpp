// Drives: the physical disks' replies (SMART version, IDENTIFY data,
// geometry, storage descriptor, NVMe Identify Controller), the optical
// drives' SCSI address and commands, the ASPI module, and the logical drives
// with their volumes and free space.
#include <algorithm>

#include "base/bytes.h"
#include "platform/drive_records.h"
#include "platform/recording/recording_areas.h"

namespace platform::recording {

namespace {

namespace q = storage_query;
namespace p = protocol_query;

std::optional<int> DiskNumber(std::string_view name) {
    if (!name.starts_with(drive::kPhysicalDrive) || name.size() != drive::kPhysicalDrive.size() + 1) return std::nullopt;
    const char digit = name.back();
    return digit >= '0' && digit <= '9' ? std::optional<int>(digit - '0') : std::nullopt;
}

std::span<const std::uint8_t> Returned(std::span<const std::uint8_t> out, std::uint32_t bytesReturned) {
    return out.first(std::min<std::size_t>(bytesReturned, out.size()));
}

}  // namespace

FileJson& RecordingDrives::Disk(int number) {
    FileJson& disk = record_.file["disks"][std::to_string(number)];
    if (!disk.is_object()) disk = {{"smart_device_map", nullptr}};
    return disk;
}

FileJson& RecordingDrives::Optical(const std::string& name) {
    FileJson& drive = optical_[name];
    if (!drive.is_object()) drive = FileJson::object();
    return drive;
}

FileJson& RecordingDrives::Logical(std::string_view root) {
    FileJson& drive = logical_[std::string(DriveName(root))];
    if (!drive.is_object()) drive = FileJson::object();
    return drive;
}

DeviceHandle RecordingDrives::CreateFileA(std::string_view fileName, std::uint32_t desiredAccess,
                                          std::uint32_t shareMode, std::uint32_t creationDisposition,
                                          std::uint32_t flagsAndAttributes) {
    const DeviceHandle handle =
        real_.CreateFileA(fileName, desiredAccess, shareMode, creationDisposition, flagsAndAttributes);
    if (!fileName.starts_with(drive::kDevicePrefix)) return handle;
    const std::string name(fileName.substr(drive::kDevicePrefix.size()));
    const bool access = (desiredAccess & (drive::kGenericRead | drive::kGenericWrite)) != 0;
    if (handle != kInvalidHandleValue) {
        if (access) accessGranted_ = true;
        else openedWithoutAccess_.insert(name);
        if (const auto disk = DiskNumber(name)) {
            Disk(*disk);
            opened_[handle] = {disk, {}};
        } else {
            opened_[handle] = {std::nullopt, name};
        }
        return handle;
    }
    // A disk that does not open is left out: the file's absent disks do not open.
    if (DiskNumber(name)) return handle;
    if (access) refusedWithAccess_.insert(name);
    else refusedWithoutAccess_.insert(name);
    return handle;
}

bool RecordingDrives::CloseHandle(DeviceHandle handle) {
    opened_.erase(handle);
    return real_.CloseHandle(handle);
}

bool RecordingDrives::DeviceIoControl(DeviceHandle device, std::uint32_t code, std::span<const std::uint8_t> in,
                                      std::span<std::uint8_t> out, std::uint32_t& bytesReturned) {
    const bool ok = real_.DeviceIoControl(device, code, in, out, bytesReturned);
    const auto open = opened_.find(device);
    if (open == opened_.end()) return ok;
    const auto reply = Returned(out, ok ? bytesReturned : 0);
    if (open->second.disk)
        DiskReply(*open->second.disk, code, in, reply, ok);
    else
        DriveReply(open->second.drive, code, in, reply, ok);
    return ok;
}

void RecordingDrives::DiskReply(int number, std::uint32_t code, std::span<const std::uint8_t> in,
                                std::span<const std::uint8_t> out, bool ok) {
    FileJson& disk = Disk(number);
    if (!ok) return;  // what the file leaves out is refused
    if (code == drive::kSmartGetVersion) {
        if (const auto version = ReadRecord<GetVersionInParams>(out)) disk["smart_device_map"] = version->bIDEDeviceMap;
    } else if (code == drive::kSmartRcvDriveData && out.size() >= send_cmd_out::kSize) {
        disk["identify"] = HexPairs(out.subspan(send_cmd_out::kDataOffset, send_cmd_out::kIdentifyLength));
    } else if (code == drive::kIoctlDiskGetDriveGeometry || code == drive::kIoctlDiskGetDriveGeometryEx) {
        const auto geometry = ReadRecord<DiskGeometry>(out);
        if (!geometry) return;
        FileJson& g = disk["geometry"];
        g["cylinders"] = geometry->cylinders;
        g["tracks_per_cylinder"] = geometry->tracksPerCylinder;
        g["sectors_per_track"] = geometry->sectorsPerTrack;
        g["bytes_per_sector"] = geometry->bytesPerSector;
        g["media_type"] = geometry->mediaType;
        if (const auto size = base::ReadLe64(out, disk_geometry_ex::kDiskSizeOffset);
            size && code == drive::kIoctlDiskGetDriveGeometryEx)
            g["disk_size"] = *size;
    } else if (code == drive::kIoctlStorageQueryProperty) {
        const auto property = base::ReadLe32(in, q::kPropertyIdOffset).value_or(UINT32_MAX);
        if (property == q::kStorageDeviceProperty && out.size() >= q::kThroughBusType) {
            const auto text = [&](std::size_t field) {
                const std::uint32_t at = base::ReadLe32(out, field).value_or(0);
                return at == 0 ? std::string() : record_.Text(ZeroEnded(out, at));
            };
            disk["descriptor"] = {{"bus_type", base::ReadLe32(out, q::kBusTypeOffset).value_or(0)},
                                  {"removable", out[q::kRemovableMediaOffset] != 0},
                                  {"vendor", text(q::kVendorIdOffset)},
                                  {"product", text(q::kProductIdOffset)},
                                  {"revision", text(q::kProductRevisionOffset)},
                                  {"serial", text(q::kSerialNumberOffset)}};
        } else if (property == q::kStorageAdapterProtocolSpecificProperty ||
                   property == q::kStorageDeviceProtocolSpecificProperty) {
            const std::uint32_t dataOffset =
                base::ReadLe32(out, p::kDescriptorDataOffset + p::kDataOffsetOffset).value_or(0);
            const std::size_t at = p::kDescriptorDataOffset + std::size_t{dataOffset};
            if (at + p::kNvmeIdentifyLength <= out.size())
                disk["nvme_identify"] = HexPairs(out.subspan(at, p::kNvmeIdentifyLength));
        }
    }
}

void RecordingDrives::DriveReply(const std::string& name, std::uint32_t code, std::span<const std::uint8_t> in,
                                 std::span<const std::uint8_t> out, bool ok) {
    const auto property = base::ReadLe32(in, q::kPropertyIdOffset).value_or(UINT32_MAX);
    if (!ok) return;
    if (code == drive::kIoctlStorageQueryProperty && property == q::kStorageAdapterProperty) {
        Optical(name)["alignment_mask"] = base::ReadLe32(out, q::kAlignmentMaskOffset).value_or(0);
    } else if (code == drive::kIoctlScsiGetAddress) {
        if (const auto a = ReadRecord<ScsiAddress>(out))
            Optical(name)["scsi_address"] = {
                {"port", a->portNumber}, {"path", a->pathId}, {"target", a->targetId}, {"lun", a->lun}};
    } else if (code == drive::kIoctlStorageQueryProperty && property == q::kStorageDeviceProperty) {
        if (const auto bus = base::ReadLe32(out, q::kBusTypeOffset)) Logical(name)["bus_type"] = *bus;
    } else if (code == drive::kIoctlStorageGetMediaTypesEx) {
        if (const auto type = base::ReadLe32(out, media_types::kDeviceTypeOffset)) Logical(name)["media_type"] = *type;
    }
}

bool RecordingDrives::DeviceIoControl(DeviceHandle device, std::uint32_t code, ScsiPassThroughDirect& request) {
    const bool ok = real_.DeviceIoControl(device, code, request);
    const auto open = opened_.find(device);
    if (open == opened_.end() || open->second.disk || request.cdbLength > request.cdb.size()) return ok;
    const std::string cdb = HexPairs(std::span(request.cdb).first(request.cdbLength));
    FileJson reply = {{"refused", true}};
    if (ok) {
        const auto data = std::span<const std::uint8_t>(request.dataBuffer)
                              .first(std::min<std::size_t>(request.dataTransferLength, request.dataBuffer.size()));
        reply = {{"data", HexPairs(data)}};
        if (request.scsiStatus != 0) reply["scsi_status"] = request.scsiStatus;
    }
    Optical(open->second.drive)["commands"][cdb] = reply;
    return ok;
}

}  // namespace platform::recording
