#pragma once
// Physical drives, optical drives and volumes of the Windows machine: device
// requests with a bounded wait, the pass-through, and the drive letters.
// ASPI goes to WnAspi32.dll where it is installed.

#include <memory>
#include <mutex>
#include <set>

#include "platform/drive_services.h"
#include "platform/win32/aspi_module.h"

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
    std::optional<DiskFreeSpaceEx> GetDiskFreeSpaceExA(std::string_view root) override;

    // Modules, events and ASPI (windows_drives_aspi.cpp).
    DeviceHandle LoadLibraryA(std::string_view file) override;
    bool GetProcAddress(DeviceHandle module, std::string_view routine) override;
    std::string GetModuleFileNameA(DeviceHandle module) override;
    bool FreeLibrary(DeviceHandle module) override;
    DeviceHandle CreateEventA() override;
    std::uint32_t WaitForSingleObject(DeviceHandle event, std::uint32_t milliseconds) override;
    std::uint32_t GetASPI32SupportInfo() override;
    std::uint32_t SendASPI32Command(SrbHaInquiry& srb) override;
    std::uint32_t SendASPI32Command(SrbGetDevType& srb) override;
    std::uint32_t SendASPI32Command(SrbExecScsiCmd& srb) override;

private:
    bool IsOpen(DeviceHandle handle);
    // The ASPI module, loaded on the first ASPI request; null when absent.
    AspiModule* Aspi();

    std::mutex mutex_;
    std::set<DeviceHandle> open_;  // devices and events
    std::set<DeviceHandle> modules_;
    bool aspiTried_ = false;
    std::unique_ptr<AspiModule> aspi_;
};

}  // namespace platform::win32
