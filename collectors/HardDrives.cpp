#include "collectors/HardDrives.h"

#include <array>
#include <memory>
#include <string>

#include "base/codepage.h"
#include "platform/drive_records.h"

namespace collectors {

namespace {

namespace drive = platform::drive;

// a × b, or nothing when the product leaves the signed 64-bit range.
std::optional<std::int64_t> Product(std::int64_t a, std::int64_t b) {
    std::int64_t result = 0;
    if (__builtin_mul_overflow(a, b, &result)) return std::nullopt;
    return result;
}

std::optional<std::int64_t> Product(std::initializer_list<std::int64_t> factors) {
    std::optional<std::int64_t> result = 1;
    for (const auto factor : factors) {
        result = Product(*result, factor);
        if (!result) return std::nullopt;
    }
    return result;
}

}  // namespace

HardDrives::HardDrives(platform::DriveServices& drives, base::CodePage page) {
    for (int n = 0; n < kDrivesLooked; ++n) ReadDrive(drives, n, page);
}

void HardDrives::ReadDrive(platform::DriveServices& drives, int number, base::CodePage page) {
    const std::string path = std::string(drive::kDevicePrefix) + std::string(drive::kPhysicalDrive) +
                             std::to_string(number);
    const platform::DeviceHandle handle =
        drives.CreateFileA(path, drive::kGenericRead | drive::kGenericWrite,
                           drive::kFileShareRead | drive::kFileShareWrite, drive::kOpenExisting, 0);
    if (handle == platform::kInvalidHandleValue) return;
    struct Closer {
        platform::DriveServices& drives;
        platform::DeviceHandle handle;
        ~Closer() { drives.CloseHandle(handle); }
    } closer{drives, handle};

    std::uint32_t returned = 0;
    std::array<std::uint8_t, sizeof(platform::GetVersionInParams)> version{};
    if (!drives.DeviceIoControl(handle, drive::kSmartGetVersion, {}, version, returned)) return;
    if (platform::ReadRecord<platform::GetVersionInParams>(version)->bIDEDeviceMap == 0) return;

    platform::SendCmdInParams request;
    request.cBufferSize = platform::send_cmd_out::kIdentifyLength;
    request.irDriveRegs.bSectorCountReg = 1;
    request.irDriveRegs.bSectorNumberReg = 1;
    request.irDriveRegs.bDriveHeadReg = platform::SendCmdInParams::kDriveHeadMaster;
    request.irDriveRegs.bCommandReg = platform::SendCmdInParams::kIdentifyDevice;
    request.bDriveNumber = static_cast<std::uint8_t>(number);
    std::array<std::uint8_t, sizeof(request)> requestBytes{};
    platform::WriteRecord(request, std::span<std::uint8_t>(requestBytes));
    std::array<std::uint8_t, platform::send_cmd_out::kSize> reply{};
    if (!drives.DeviceIoControl(handle, drive::kSmartRcvDriveData, requestBytes, reply, returned)) return;

    auto item = std::make_unique<HardDriveItem>();
    item->controller_ = number;
    const auto identify = std::span<const std::uint8_t>(reply).subspan(platform::send_cmd_out::kDataOffset, kIdentifyKept);
    item->name_ = IdentifyText(identify, kModelOffset, kModelLength, page);
    item->revision_ = IdentifyText(identify, kFirmwareOffset, kFirmwareLength, page);
    item->serialNumber_ = IdentifyText(identify, kSerialOffset, kSerialLength, page);

    std::array<std::uint8_t, sizeof(platform::DiskGeometry)> geometryBytes{};
    if (drives.DeviceIoControl(handle, drive::kIoctlDiskGetDriveGeometry, {}, geometryBytes, returned)) {
        const auto g = *platform::ReadRecord<platform::DiskGeometry>(geometryBytes);
        const std::int64_t heads = g.tracksPerCylinder, perTrack = g.sectorsPerTrack, bytes = g.bytesPerSector;
        // Each value stands alone: one that overflows stays 0, the others are still set.
        if (bytes <= INT32_MAX) item->bytesPerSector_ = static_cast<std::int32_t>(bytes);
        item->capacity_ = Product({g.cylinders, heads, perTrack, bytes}).value_or(0);
        item->cylinders_ = g.cylinders;
        if (heads <= INT32_MAX) item->heads_ = static_cast<std::int32_t>(heads);
        item->sectors_ = Product({g.cylinders, heads, perTrack}).value_or(0);
        item->tracks_ = Product({g.cylinders, heads}).value_or(0);
    }
    Add(std::move(item));
}

std::string HardDrives::SwapPairs(std::string_view text) {
    std::string swapped;
    swapped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); i += 2) {
        if (i + 1 < text.size()) swapped += text[i + 1];
        swapped += text[i];
    }
    const auto first = swapped.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = swapped.find_last_not_of(' ');
    return swapped.substr(first, last - first + 1);
}

std::wstring HardDrives::IdentifyText(std::span<const std::uint8_t> identify, std::size_t offset, std::size_t length,
                                      base::CodePage page) {
    if (offset >= identify.size()) return {};
    const auto bytes = identify.subspan(offset, std::min(length, identify.size() - offset));
    // The bytes back in their order first: a character of several bytes may
    // straddle a pair. NUL bytes stay characters.
    return base::DecodeText(page, SwapPairs(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
}

}  // namespace collectors
