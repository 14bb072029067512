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

// A device handle closed on every path.
class HardDrives::OpenDisk {
public:
    OpenDisk(platform::DriveServices& drives, const std::string& path, std::uint32_t access)
        : drives_(drives),
          handle_(drives.CreateFileA(path, access, drive::kFileShareRead | drive::kFileShareWrite, drive::kOpenExisting, 0)) {}
    ~OpenDisk() {
        if (handle_ != platform::kInvalidHandleValue) drives_.CloseHandle(handle_);
    }
    OpenDisk(const OpenDisk&) = delete;
    OpenDisk& operator=(const OpenDisk&) = delete;
    platform::DeviceHandle Handle() const { return handle_; }
    explicit operator bool() const { return handle_ != platform::kInvalidHandleValue; }

private:
    platform::DriveServices& drives_;
    platform::DeviceHandle handle_;
};

HardDrives::HardDrives(platform::DriveServices& drives, base::CodePage page) {
    for (int n = 0; n < kDrivesLooked; ++n) ReadDrive(drives, n, page);
}

// The storage queries go on a handle opened for no access, which a standard
// user gets; only SMART needs read and write access, which only an
// administrator gets, and an NVMe disk does not answer it at all.
void HardDrives::ReadDrive(platform::DriveServices& drives, int number, base::CodePage page) {
    const std::string path = std::string(drive::kDevicePrefix) + std::string(drive::kPhysicalDrive) +
                             std::to_string(number);
    std::optional<StorageDescriptorText> descriptor;
    std::optional<platform::DiskIdentityText> nvme;
    std::optional<DiskGeometryAnswer> geometry;
    bool queried = false;
    if (const OpenDisk disk(drives, path, 0); disk) {
        queried = true;
        descriptor = QueryStorageDescriptor(drives, disk.Handle());
        if (descriptor && descriptor->busType == platform::storage_query::kBusTypeNvme)
            nvme = QueryNvmeIdentify(drives, disk.Handle());
        geometry = QueryGeometry(drives, disk.Handle());
    }
    auto item = std::make_unique<HardDriveItem>();
    item->controller_ = number;
    const bool isNvme = descriptor && descriptor->busType == platform::storage_query::kBusTypeNvme;
    if (nvme) {
        item->name_ = base::DecodeText(page, nvme->model);
        item->revision_ = base::DecodeText(page, nvme->firmware);
        item->serialNumber_ = base::DecodeText(page, nvme->serial);
    } else if (!isNvme && ReadSmartIdentity(drives, path, number, page, *item)) {
        // Named by its own IDENTIFY data.
    } else if (descriptor) {
        const std::string name = descriptor->vendor.empty() ? descriptor->product
                                 : descriptor->product.empty() ? descriptor->vendor
                                                               : descriptor->vendor + " " + descriptor->product;
        item->name_ = base::DecodeText(page, name);
        item->revision_ = base::DecodeText(page, descriptor->revision);
        item->serialNumber_ = base::DecodeText(page, descriptor->serial);
    } else {
        return;  // nothing names the disk
    }
    if (!queried) {
        // A driver that refused the open for no access: the geometry on a
        // handle for reading and writing, as the SMART path had it.
        const OpenDisk disk(drives, path, drive::kGenericRead | drive::kGenericWrite);
        if (disk) geometry = QueryGeometry(drives, disk.Handle());
    }
    if (geometry) SetGeometry(*item, *geometry);
    Add(std::move(item));
}

bool HardDrives::ReadSmartIdentity(platform::DriveServices& drives, const std::string& path, int number,
                                   base::CodePage page, HardDriveItem& item) {
    const OpenDisk disk(drives, path, drive::kGenericRead | drive::kGenericWrite);
    if (!disk) return false;
    std::uint32_t returned = 0;
    std::array<std::uint8_t, sizeof(platform::GetVersionInParams)> version{};
    if (!drives.DeviceIoControl(disk.Handle(), drive::kSmartGetVersion, {}, version, returned)) return false;
    if (platform::ReadRecord<platform::GetVersionInParams>(version)->bIDEDeviceMap == 0) return false;

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
    if (!drives.DeviceIoControl(disk.Handle(), drive::kSmartRcvDriveData, requestBytes, reply, returned)) return false;

    const auto identify = std::span<const std::uint8_t>(reply).subspan(platform::send_cmd_out::kDataOffset, kIdentifyKept);
    item.name_ = IdentifyText(identify, kModelOffset, kModelLength, page);
    item.revision_ = IdentifyText(identify, kFirmwareOffset, kFirmwareLength, page);
    item.serialNumber_ = IdentifyText(identify, kSerialOffset, kSerialLength, page);
    return true;
}

void HardDrives::SetGeometry(HardDriveItem& item, const DiskGeometryAnswer& answer) {
    const auto& g = answer.geometry;
    const std::int64_t heads = g.tracksPerCylinder, perTrack = g.sectorsPerTrack, bytes = g.bytesPerSector;
    // The cylinder count is a signed 64-bit field; no disk has fewer than none.
    const std::int64_t cylinders = g.cylinders < 0 ? 0 : g.cylinders;
    // Each value stands alone: one that overflows stays 0, the others are still set.
    if (bytes <= INT32_MAX) item.bytesPerSector_ = static_cast<std::int32_t>(bytes);
    // The disk's size where the driver tells it: whole cylinders fall up to
    // about 8 MB short of it.
    item.capacity_ = answer.diskSize ? *answer.diskSize : Product({cylinders, heads, perTrack, bytes}).value_or(0);
    item.cylinders_ = cylinders;
    if (heads <= INT32_MAX) item.heads_ = static_cast<std::int32_t>(heads);
    item.sectors_ = Product({cylinders, heads, perTrack}).value_or(0);
    item.tracks_ = Product({cylinders, heads}).value_or(0);
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
