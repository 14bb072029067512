// CreateFileA, DeviceIoControl and CloseHandle on drives; the drive letters
// with their types, volumes and free space. Request and reply bytes pass
// through unchanged; the pass-through record is the system's
// SCSI_PASS_THROUGH_DIRECT with the caller's data buffer.

#include "platform/win32/windows_drives.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/device_request.h"
#include "platform/win32/win32_api.h"

#include <ntddscsi.h>

namespace platform::win32 {

namespace {

HANDLE AsHandle(DeviceHandle handle) { return reinterpret_cast<HANDLE>(handle); }

// A removable drive without a medium makes the system ask the user to insert
// one; the program asks nobody.
class NoCriticalErrorDialogs {
public:
    NoCriticalErrorDialogs() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
    ~NoCriticalErrorDialogs() { ::SetThreadErrorMode(previous_, nullptr); }
    NoCriticalErrorDialogs(const NoCriticalErrorDialogs&) = delete;
    NoCriticalErrorDialogs& operator=(const NoCriticalErrorDialogs&) = delete;

private:
    DWORD previous_ = 0;
};

struct PassThroughWithSense {
    SCSI_PASS_THROUGH_DIRECT request;
    ULONG align;
    UCHAR sense[32];
};

constexpr DWORD kPassThroughMarginMilliseconds = 2000;

}  // namespace

WindowsDrives::~WindowsDrives() {
    for (const DeviceHandle handle : open_) ::CloseHandle(AsHandle(handle));
    for (const DeviceHandle module : modules_) ::FreeLibrary(reinterpret_cast<HMODULE>(module));
}

DeviceHandle WindowsDrives::CreateFileA(std::string_view fileName, std::uint32_t desiredAccess,
                                        std::uint32_t shareMode, std::uint32_t creationDisposition,
                                        std::uint32_t flagsAndAttributes) {
    const NoCriticalErrorDialogs quiet;
    // Overlapped, so that every request can be given up after its time.
    const HANDLE device = ::CreateFileA(std::string(fileName).c_str(), desiredAccess, shareMode, nullptr,
                                       creationDisposition, flagsAndAttributes | FILE_FLAG_OVERLAPPED, nullptr);
    if (device == INVALID_HANDLE_VALUE) return kInvalidHandleValue;
    const auto handle = reinterpret_cast<DeviceHandle>(device);
    const std::lock_guard lock(mutex_);
    open_.insert(handle);
    return handle;
}

bool WindowsDrives::DeviceIoControl(DeviceHandle device, std::uint32_t ioControlCode,
                                    std::span<const std::uint8_t> in, std::span<std::uint8_t> out,
                                    std::uint32_t& bytesReturned) {
    bytesReturned = 0;
    if (device == kInvalidHandleValue) return false;
    DWORD returned = 0;
    const bool ok = BoundedDeviceIoControl(AsHandle(device), ioControlCode, in.data(), static_cast<DWORD>(in.size()),
                                           out.data(), static_cast<DWORD>(out.size()), returned,
                                           kDeviceRequestMilliseconds);
    bytesReturned = std::min<std::uint32_t>(returned, static_cast<std::uint32_t>(out.size()));
    return ok;
}

bool WindowsDrives::DeviceIoControl(DeviceHandle device, std::uint32_t ioControlCode, ScsiPassThroughDirect& request) {
    if (device == kInvalidHandleValue || request.dataBuffer.size() < request.dataTransferLength) return false;
    PassThroughWithSense record{};
    SCSI_PASS_THROUGH_DIRECT& r = record.request;
    r.Length = sizeof r;
    r.PathId = request.pathId;
    r.TargetId = request.targetId;
    r.Lun = request.lun;
    r.CdbLength = std::min<UCHAR>(request.cdbLength, sizeof r.Cdb);
    r.SenseInfoLength = std::min<UCHAR>(request.senseInfoLength, sizeof record.sense);
    r.DataIn = request.dataIn;
    r.DataTransferLength = request.dataTransferLength;
    r.TimeOutValue = request.timeOutValue;
    // The data travels through memory of our own, left to the driver with the
    // record if the request outlives its cancellation. Its start is aligned
    // as the heap aligns (16 bytes), beyond every adapter's alignment mask.
    auto data = std::make_unique<std::vector<std::uint8_t>>(request.dataBuffer.begin(),
                                                            request.dataBuffer.begin() + request.dataTransferLength);
    r.DataBuffer = data->empty() ? nullptr : data->data();
    r.SenseInfoOffset = offsetof(PassThroughWithSense, sense);
    std::copy_n(request.cdb.begin(), r.CdbLength, r.Cdb);
    DWORD returned = 0;
    const DWORD limit = request.timeOutValue * 1000 + kPassThroughMarginMilliseconds;
    bool abandoned = false;
    if (!BoundedDeviceIoControl(AsHandle(device), ioControlCode, &record, sizeof record, &record, sizeof record,
                                returned, limit, &abandoned)) {
        if (abandoned) static_cast<void>(data.release());  // the driver may still write into it
        return false;
    }
    request.scsiStatus = r.ScsiStatus;
    request.dataTransferLength = std::min<std::uint32_t>(r.DataTransferLength, request.dataTransferLength);
    std::copy_n(data->begin(), request.dataTransferLength, request.dataBuffer.begin());
    return true;
}

bool WindowsDrives::CloseHandle(DeviceHandle handle) {
    {
        const std::lock_guard lock(mutex_);
        if (open_.erase(handle) == 0) return false;
    }
    return ::CloseHandle(AsHandle(handle)) != FALSE;
}

std::string WindowsDrives::GetLogicalDriveStringsA() {
    // Asked again when a drive came between the two calls.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD size = ::GetLogicalDriveStringsA(0, nullptr);
        if (size == 0) return {};
        std::vector<char> buffer(size + 1);
        const DWORD length = ::GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) return {};
        if (length < buffer.size()) {
            std::string strings(buffer.data(), length);
            while (!strings.empty() && strings.back() == '\0') strings.pop_back();
            return strings.empty() ? strings : strings + '\0';
        }
    }
    return {};
}

std::uint32_t WindowsDrives::GetDriveTypeA(std::string_view root) {
    return ::GetDriveTypeA(std::string(root).c_str());
}

std::optional<VolumeInformation> WindowsDrives::GetVolumeInformationA(std::string_view root) {
    const NoCriticalErrorDialogs quiet;
    char name[MAX_PATH + 1] = {};
    char fileSystem[MAX_PATH + 1] = {};
    DWORD serial = 0, longest = 0, flags = 0;
    if (!::GetVolumeInformationA(std::string(root).c_str(), name, sizeof name, &serial, &longest, &flags, fileSystem,
                                 sizeof fileSystem))
        return std::nullopt;
    VolumeInformation volume;
    volume.volumeName = name;
    volume.volumeSerialNumber = serial;
    volume.maximumComponentLength = longest;
    volume.fileSystemFlags = flags;
    volume.fileSystemName = fileSystem;
    return volume;
}

std::optional<DiskFreeSpaceEx> WindowsDrives::GetDiskFreeSpaceExA(std::string_view root) {
    const NoCriticalErrorDialogs quiet;
    ULARGE_INTEGER available{}, total{}, free{};
    if (!::GetDiskFreeSpaceExA(std::string(root).c_str(), &available, &total, &free)) return std::nullopt;
    return DiskFreeSpaceEx{available.QuadPart, total.QuadPart, free.QuadPart};
}

std::optional<DiskFreeSpace> WindowsDrives::GetDiskFreeSpaceA(std::string_view root) {
    const NoCriticalErrorDialogs quiet;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!::GetDiskFreeSpaceA(std::string(root).c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                             &totalClusters))
        return std::nullopt;
    return DiskFreeSpace{sectorsPerCluster, bytesPerSector, freeClusters, totalClusters};
}

}  // namespace platform::win32
