#include "platform/sim/sim_drives.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/sim_drives_storage.h"

namespace platform::sim {

namespace {

// "\\.\PhysicalDrive2" gives 2; nothing for other names.
std::optional<int> PhysicalDriveNumber(std::string_view name) {
    if (!name.starts_with(drive::kPhysicalDrive)) return std::nullopt;
    const auto digits = name.substr(drive::kPhysicalDrive.size());
    if (digits.empty() || digits.size() > 3 || (digits.size() > 1 && digits[0] == '0')) return std::nullopt;
    int number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

std::size_t CopyReply(const ByteString& data, std::span<std::uint8_t> buffer) {
    const std::size_t n = std::min(data.size(), buffer.size());
    std::copy_n(data.begin(), n, buffer.begin());
    return n;
}

}  // namespace

DeviceHandle SimDrives::NewHandle(Open open) {
    const DeviceHandle handle = next_++;
    handles_.emplace(handle, std::move(open));
    ++opened_;
    return handle;
}

SimDrives::Open* SimDrives::Find(DeviceHandle handle, Kind kind) {
    const auto it = handles_.find(handle);
    return it != handles_.end() && it->second.kind == kind ? &it->second : nullptr;
}

// A root names its drive as the drive name does ("C:\\" and "C:" are drive C:).
const SimLogicalDrive* SimDrives::FindLogical(std::string_view name) {
    if (!logicalByName_) {
        auto& index = logicalByName_.emplace();
        index.reserve(logicalDrives.size());
        for (std::size_t i = 0; i < logicalDrives.size(); ++i) {
            ++visited_;
            index.emplace(DriveName(logicalDrives[i].root), i);
        }
    }
    const auto found = logicalByName_->find(DriveName(name));
    return found == logicalByName_->end() ? nullptr : &logicalDrives[found->second];
}

const SimCommand* SimDrives::FindCommand(const std::string& drive, const ByteString& cdb) const {
    const auto it = opticalDrives.find(drive);
    if (it == opticalDrives.end()) return nullptr;
    const auto command = it->second.commands.find(cdb);
    return command == it->second.commands.end() ? nullptr : &command->second;
}

DeviceHandle SimDrives::CreateFileA(std::string_view fileName, std::uint32_t desiredAccess, std::uint32_t,
                                    std::uint32_t, std::uint32_t) {
    if (!fileName.starts_with(drive::kDevicePrefix)) return kInvalidHandleValue;
    // A disk or volume grants its data only to administrators: a standard
    // user is denied the open (access denied), unless it asks for no access.
    const std::uint32_t access = desiredAccess & (drive::kGenericRead | drive::kGenericWrite);
    if (!elevated && access != 0) return kInvalidHandleValue;
    const auto name = fileName.substr(drive::kDevicePrefix.size());
    if (const auto number = PhysicalDriveNumber(name)) {
        const auto disk = disks.find(*number);
        if (disk == disks.end() || !disk->second.opens) return kInvalidHandleValue;
        return NewHandle({Kind::kDisk, access, *number, {}, nullptr, nullptr});
    }
    // An optical drive's own entry decides; otherwise the logical drive's.
    const auto optical = opticalDrives.find(std::string(name));
    const auto* logical = FindLogical(name);
    const bool opens = optical != opticalDrives.end() ? optical->second.opens : logical && logical->opens;
    if (!opens) return kInvalidHandleValue;
    return NewHandle({Kind::kDrive, access, 0, std::string(name), nullptr, nullptr});
}

bool SimDrives::CloseHandle(DeviceHandle handle) { return handles_.erase(handle) == 1; }

// The access bits of a request's code against what the handle was opened for.
bool SimDrives::Grants(const Open& open, std::uint32_t code) {
    const std::uint32_t needed = drive::RequiredAccess(code);
    if ((needed & drive::kFileReadAccess) && !(open.access & drive::kGenericRead)) return false;
    return !(needed & drive::kFileWriteAccess) || (open.access & drive::kGenericWrite);
}

bool SimDrives::DeviceIoControl(DeviceHandle device, std::uint32_t code, std::span<const std::uint8_t> in,
                                std::span<std::uint8_t> out, std::uint32_t& bytesReturned) {
    bytesReturned = 0;
    if (const auto* disk = Find(device, Kind::kDisk))
        return Grants(*disk, code) && DiskRequest(*disk, code, in, out, bytesReturned);
    if (const auto* drive = Find(device, Kind::kDrive))
        return Grants(*drive, code) && DriveRequest(*drive, code, in, out, bytesReturned);
    return false;
}

bool SimDrives::DiskRequest(const Open& open, std::uint32_t code, std::span<const std::uint8_t> in,
                            std::span<std::uint8_t> out, std::uint32_t& bytesReturned) {
    const SimDisk& disk = disks.at(open.disk);
    if (code == drive::kIoctlStorageQueryProperty) return AnswerDiskQuery(disk, in, out, bytesReturned);
    if (code == drive::kIoctlDiskGetDriveGeometryEx) return AnswerGeometryEx(disk, out, bytesReturned);
    // An NVMe disk's driver knows no SMART requests.
    if ((code == drive::kSmartGetVersion || code == drive::kSmartRcvDriveData) && disk.nvmeIdentify) return false;
    if (code == drive::kSmartGetVersion) {
        if (!disk.deviceMap) return false;
        GetVersionInParams version;
        version.bVersion = 1;
        version.bRevision = 1;
        version.bIDEDeviceMap = *disk.deviceMap;
        if (!WriteRecord(version, out)) return false;
        bytesReturned = sizeof(version);
        return true;
    }
    if (code == drive::kSmartRcvDriveData) {
        const auto request = ReadRecord<SendCmdInParams>(in);
        if (!disk.identify || !request || request->irDriveRegs.bCommandReg != SendCmdInParams::kIdentifyDevice ||
            out.size() < send_cmd_out::kSize)
            return false;
        base::WriteLe32(out, send_cmd_out::kBufferSizeOffset,
                        static_cast<std::uint32_t>(send_cmd_out::kIdentifyLength));
        CopyReply(*disk.identify, out.subspan(send_cmd_out::kDataOffset, send_cmd_out::kIdentifyLength));
        bytesReturned = static_cast<std::uint32_t>(send_cmd_out::kSize);
        return true;
    }
    if (code == drive::kIoctlDiskGetDriveGeometry) {
        if (!disk.geometry || !WriteRecord(*disk.geometry, out)) return false;
        bytesReturned = sizeof(DiskGeometry);
        return true;
    }
    return false;
}

bool SimDrives::DriveRequest(const Open& open, std::uint32_t code, std::span<const std::uint8_t> in,
                             std::span<std::uint8_t> out, std::uint32_t& bytesReturned) {
    const auto optical = opticalDrives.find(open.name);
    const auto property = base::ReadLe32(in, storage_query::kPropertyIdOffset);
    if (code == drive::kIoctlStorageQueryProperty && property == storage_query::kStorageAdapterProperty) {
        namespace q = storage_query;
        if (optical == opticalDrives.end() || !optical->second.alignmentMask || out.size() < q::kAdapterDescriptorSize)
            return false;
        std::fill(out.begin(), out.end(), std::uint8_t{0});
        base::WriteLe32(out, q::kVersionOffset, static_cast<std::uint32_t>(q::kAdapterDescriptorSize));
        base::WriteLe32(out, q::kSizeOffset, static_cast<std::uint32_t>(q::kAdapterDescriptorSize));
        base::WriteLe32(out, q::kAlignmentMaskOffset, *optical->second.alignmentMask);
        bytesReturned = static_cast<std::uint32_t>(q::kAdapterDescriptorSize);
        return true;
    }
    if (code == drive::kIoctlScsiGetAddress) {
        if (optical == opticalDrives.end() || !optical->second.address) return false;
        if (!WriteRecord(*optical->second.address, out)) return false;
        bytesReturned = sizeof(ScsiAddress);
        return true;
    }
    const auto* logical = FindLogical(open.name);
    if (code == drive::kIoctlStorageQueryProperty) {
        if (!logical || !logical->busType || property != storage_query::kStorageDeviceProperty) return false;
        SimStorageDescriptor descriptor;
        descriptor.busType = *logical->busType;
        return WriteStorageDescriptor(descriptor, out, bytesReturned);
    }
    if (code == drive::kIoctlStorageGetMediaTypesEx) {
        if (!logical || !logical->mediaType || out.size() < media_types::kHeaderSize) return false;
        base::WriteLe32(out, media_types::kDeviceTypeOffset, *logical->mediaType);
        base::WriteLe32(out, media_types::kMediaInfoCountOffset, 0);
        bytesReturned = static_cast<std::uint32_t>(media_types::kHeaderSize);
        return true;
    }
    return false;
}

bool SimDrives::DeviceIoControl(DeviceHandle device, std::uint32_t code, ScsiPassThroughDirect& request) {
    const auto* open = Find(device, Kind::kDrive);
    if (!open || code != drive::kIoctlScsiPassThroughDirect || request.cdbLength > request.cdb.size()) return false;
    ByteString cdb(request.cdb.begin(), request.cdb.begin() + request.cdbLength);
    sent_.Add({"SPTI", cdb, request.dataTransferLength, request.timeOutValue, 0, request.pathId,
                     request.targetId, request.lun});
    // The adapter's DMA needs the buffer aligned: the port driver refuses any
    // other (STATUS_INVALID_PARAMETER) before the drive sees the command.
    const auto optical = opticalDrives.find(open->name);
    if (optical != opticalDrives.end() && optical->second.alignmentMask &&
        (reinterpret_cast<std::uintptr_t>(request.dataBuffer.data()) & *optical->second.alignmentMask) != 0)
        return false;
    const auto* command = FindCommand(open->name, cdb);
    if (!command || command->refused) return false;
    request.scsiStatus = command->scsiStatus;
    const auto buffer = request.dataBuffer.first(std::min<std::size_t>(request.dataBuffer.size(), request.dataTransferLength));
    request.dataTransferLength = static_cast<std::uint32_t>(CopyReply(command->data, buffer));
    return true;
}

std::string SimDrives::GetLogicalDriveStringsA() {
    std::string strings;
    for (const auto& logical : logicalDrives) {
        strings += logical.root;
        strings += '\0';
    }
    return strings;
}

std::uint32_t SimDrives::GetDriveTypeA(std::string_view root) {
    const auto* logical = FindLogical(root);
    return logical ? logical->driveType : drive::kDriveNoRootDir;
}

std::optional<VolumeInformation> SimDrives::GetVolumeInformationA(std::string_view root) {
    const auto* logical = FindLogical(root);
    return logical ? logical->volume : std::nullopt;
}

std::optional<DiskFreeSpace> SimDrives::GetDiskFreeSpaceA(std::string_view root) {
    const auto* logical = FindLogical(root);
    if (!logical || !logical->space) return std::nullopt;
    const auto& space = *logical->space;
    return DiskFreeSpace{space.sectorsPerCluster, space.bytesPerSector, static_cast<std::uint32_t>(space.freeClusters),
                         static_cast<std::uint32_t>(space.totalClusters)};
}

std::optional<DiskFreeSpaceEx> SimDrives::GetDiskFreeSpaceExA(std::string_view root) {
    const auto* logical = FindLogical(root);
    if (!logical || !logical->space) return std::nullopt;
    const auto& space = *logical->space;
    std::uint64_t cluster = 0, total = 0, free = 0;
    if (__builtin_mul_overflow(std::uint64_t{space.sectorsPerCluster}, space.bytesPerSector, &cluster) ||
        __builtin_mul_overflow(cluster, space.totalClusters, &total) ||
        __builtin_mul_overflow(cluster, space.freeClusters, &free))
        return std::nullopt;
    if (space.totalBytes) total = *space.totalBytes;
    if (space.freeBytes) free = *space.freeBytes;
    return DiskFreeSpaceEx{space.availableBytes.value_or(free), total, free};
}

DeviceHandle SimDrives::LoadLibraryA(std::string_view file) {
    if (!aspi || file != drive::kAspiModule) return kInvalidHandleValue;
    return NewHandle({Kind::kModule, 0, 0, {}, nullptr, nullptr});
}

bool SimDrives::GetProcAddress(DeviceHandle module, std::string_view routine) {
    return Find(module, Kind::kModule) && aspi &&
           std::find(aspi->exports.begin(), aspi->exports.end(), routine) != aspi->exports.end();
}

std::string SimDrives::GetModuleFileNameA(DeviceHandle module) {
    return Find(module, Kind::kModule) && aspi ? aspi->fileName : std::string();
}

bool SimDrives::FreeLibrary(DeviceHandle module) { return Find(module, Kind::kModule) && CloseHandle(module); }

DeviceHandle SimDrives::CreateEventA() { return NewHandle({Kind::kEvent, 0, 0, {}, nullptr, nullptr}); }

std::uint32_t SimDrives::WaitForSingleObject(DeviceHandle event, std::uint32_t) {
    auto* open = Find(event, Kind::kEvent);
    if (!open) return drive::kWaitFailed;
    if (!open->pending) return drive::kWaitTimeout;  // nothing will ever signal it
    if (open->pendingReply->completion == SimCommand::Completion::kNever) return drive::kWaitTimeout;
    CopyReply(open->pendingReply->data, open->pending->buffer);
    open->pending->status = aspi::kSsComp;
    open->pending = nullptr;
    return drive::kWaitObject0;
}

std::uint32_t SimDrives::GetASPI32SupportInfo() {
    if (!aspi) return 0;
    return static_cast<std::uint32_t>(aspi->supportStatus) << 8 | (aspi->adapters.size() & 0xFF);
}

std::uint32_t SimDrives::SendASPI32Command(SrbHaInquiry& srb) {
    const bool answers = aspi && srb.haId < aspi->adapters.size() && aspi->adapters[srb.haId].answers;
    return srb.status = answers ? aspi::kSsComp : aspi::kSsErr;
}

std::uint32_t SimDrives::SendASPI32Command(SrbGetDevType& srb) {
    srb.status = aspi::kSsErr;
    if (!aspi || srb.haId >= aspi->adapters.size()) return srb.status;
    for (const auto& device : aspi->adapters[srb.haId].devices)
        if (device.target == srb.target && srb.lun == 0) {
            srb.deviceType = device.deviceType;
            srb.status = aspi::kSsComp;
        }
    return srb.status;
}

std::uint32_t SimDrives::SendASPI32Command(SrbExecScsiCmd& srb) {
    srb.status = aspi::kSsErr;
    if (!aspi || srb.haId >= aspi->adapters.size() || srb.cdbLength > srb.cdb.size()) return srb.status;
    ByteString cdb(srb.cdb.begin(), srb.cdb.begin() + srb.cdbLength);
    sent_.Add({"ASPI", cdb, srb.bufferLength, 0, srb.flags, 0, srb.target, srb.lun});
    const SimCommand* command = nullptr;
    for (const auto& device : aspi->adapters[srb.haId].devices)
        if (device.target == srb.target) command = FindCommand(device.drive, cdb);
    if (!command || command->refused || command->scsiStatus != 0) return srb.status;
    if (command->completion != SimCommand::Completion::kAtOnce) {
        auto* event = Find(srb.postEvent, Kind::kEvent);
        if (!event) return srb.status;
        event->pending = &srb;
        event->pendingReply = command;
        return srb.status = aspi::kSsPending;
    }
    CopyReply(command->data, srb.buffer.first(std::min<std::size_t>(srb.buffer.size(), srb.bufferLength)));
    return srb.status = aspi::kSsComp;
}

}  // namespace platform::sim
