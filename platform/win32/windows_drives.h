#pragma once
// Physical drives, optical drives and volumes of the Windows machine: device
// requests with a bounded wait, the pass-through, and the drive letters.
// ASPI is left to the plain area (refused): it is reached only when
// WnAspi32.dll loads, and LoadLibraryA here does not load it yet.

#include <mutex>
#include <set>

#include "platform/drive_services.h"

namespace platform::win32 {

class WindowsDrives final : public DriveServices {
public:
    WindowsDrives() = default;
    // Devices the caller left open are closed with the machine.
    ~WindowsDrives() override;
    WindowsDrives(const WindowsDrives&) = delete;
    WindowsDrives& operator=(const WindowsDrives&) = delete;

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

private:
    std::mutex mutex_;
    std::set<DeviceHandle> open_;
};

}  // namespace platform::win32
