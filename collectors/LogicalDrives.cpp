#include "collectors/LogicalDrives.h"

#include <array>
#include <cstdint>
#include <memory>

#include "collectors/DriveStrings.h"
#include "format/FormatEx.h"
#include "base/bytes.h"
#include "base/codepage.h"
#include "platform/drive_records.h"

namespace collectors {

namespace {

namespace drive = platform::drive;

// Asks the device behind a drive one storage request; nothing when the device
// cannot be opened or refuses. Both requests need no access to the volume
// (FILE_ANY_ACCESS), so the device is opened for none: a standard user is
// refused any open that asks to read or write a volume.
template <std::size_t ReplySize>
std::optional<std::array<std::uint8_t, ReplySize>> AskDevice(platform::DriveServices& drives, const std::string& root,
                                                             std::uint32_t request, std::span<const std::uint8_t> in) {
    const std::string path = std::string(drive::kDevicePrefix) + std::string(platform::DriveName(root));
    const auto handle =
        drives.CreateFileA(path, 0, drive::kFileShareRead | drive::kFileShareWrite, drive::kOpenExisting, 0);
    if (handle == platform::kInvalidHandleValue) return std::nullopt;
    std::array<std::uint8_t, ReplySize> reply{};
    std::uint32_t returned = 0;
    const bool answered = drives.DeviceIoControl(handle, request, in, reply, returned);
    drives.CloseHandle(handle);
    if (!answered) return std::nullopt;
    return reply;
}

std::int32_t RefinedType(platform::DriveServices& drives, const std::string& root, std::uint32_t type) {
    if (type == drive::kDriveFixed) {
        namespace q = platform::storage_query;
        std::array<std::uint8_t, q::kQuerySize> query{};  // device property, standard query
        base::WriteLe32(query, q::kPropertyIdOffset, q::kStorageDeviceProperty);
        base::WriteLe32(query, q::kQueryTypeOffset, q::kPropertyStandardQuery);
        if (const auto descriptor = AskDevice<q::kDescriptorSize>(drives, root, drive::kIoctlStorageQueryProperty, query))
            return base::ReadLe32(*descriptor, q::kBusTypeOffset) == q::kBusTypeUsb ? drive::kDriveRemovable
                                                                                     : drive::kDriveFixed;
    } else if (type == drive::kDriveCdrom) {
        namespace m = platform::media_types;
        if (const auto media = AskDevice<m::kReplySize>(drives, root, drive::kIoctlStorageGetMediaTypesEx, {})) {
            const auto device = base::ReadLe32(*media, m::kDeviceTypeOffset);
            if (device == m::kFileDeviceCdrom) return drive::kDriveCdrom;
            if (device == m::kFileDeviceDvd) return LogicalDrives::kDriveDvd;
        }
    }
    return static_cast<std::int32_t>(type);
}

}  // namespace

LogicalDrives::LogicalDrives(platform::DriveServices& drives, base::CodePage page) {
    // Each root is asked for by its bytes as the drive list gave them; only
    // what is shown is decoded. Drives past the last one Count can hold are
    // asked for their type only, to be counted.
    for (const auto& root : SplitDriveStrings(drives.GetLogicalDriveStringsA())) {
        const std::uint32_t type = drives.GetDriveTypeA(root);
        if (type == drive::kDriveUnknown || type == drive::kDriveNoRootDir) continue;
        if (Full())
            CountPastLimit();
        else
            ReadDrive(drives, root, type, page);
    }
}

void LogicalDrives::ReadDrive(platform::DriveServices& drives, const std::string& root, std::uint32_t type,
                              base::CodePage page) {
    auto item = std::make_unique<LogicalDriveItem>();
    item->driveType_ = RefinedType(drives, root, type);
    item->letter_ = base::DecodeText(page, platform::DriveName(root));
    if (const auto volume = drives.GetVolumeInformationA(root)) {
        item->fileSystem_ = base::TextFromBuffer(page, volume->fileSystemName);
        item->name_ = base::TextFromBuffer(page, volume->volumeName);
        if (volume->volumeSerialNumber)
            item->serialNumber_ =
                format::FormatEx::FormatSerialNumber(static_cast<std::int32_t>(*volume->volumeSerialNumber));
        SetSpace(drives, root, *item);
    }
    Add(std::move(item));
}

// The cluster counts of GetDiskFreeSpaceA are 32-bit: a volume of more
// clusters (a large share, ReFS) does not fit them. Its byte counts then come
// from GetDiskFreeSpaceExA; a volume that fits keeps the cluster figures.
void LogicalDrives::SetSpace(platform::DriveServices& drives, const std::string& root, LogicalDriveItem& item) {
    const auto space = drives.GetDiskFreeSpaceA(root);
    if (space) {
        item.capacity_ = Bytes(space->sectorsPerCluster, space->bytesPerSector, space->totalNumberOfClusters).value_or(0);
        item.freeSpace_ = Bytes(space->sectorsPerCluster, space->bytesPerSector, space->numberOfFreeClusters).value_or(0);
    }
    const auto exact = drives.GetDiskFreeSpaceExA(root);
    if (!exact) return;
    const std::uint64_t cluster = space ? std::uint64_t{space->sectorsPerCluster} * space->bytesPerSector : 0;
    const bool fits = space && cluster != 0 && exact->totalNumberOfBytes / cluster <= UINT32_MAX;
    if (fits) return;
    const auto bytes = [](std::uint64_t count) {
        return count <= static_cast<std::uint64_t>(INT64_MAX) ? static_cast<std::int64_t>(count) : 0;
    };
    item.capacity_ = bytes(exact->totalNumberOfBytes);
    item.freeSpace_ = bytes(exact->freeBytesAvailableToCaller);
}

std::optional<std::int64_t> LogicalDrives::Bytes(std::uint32_t sectorsPerCluster, std::uint32_t bytesPerSector,
                                                 std::uint32_t clusters) {
    // The figures are unsigned 32-bit counts; the byte counts are 64-bit.
    std::int64_t result = 0;
    if (__builtin_mul_overflow(static_cast<std::int64_t>(sectorsPerCluster), static_cast<std::int64_t>(bytesPerSector),
                               &result) ||
        __builtin_mul_overflow(result, static_cast<std::int64_t>(clusters), &result))
        return std::nullopt;
    return result;
}

}  // namespace collectors
