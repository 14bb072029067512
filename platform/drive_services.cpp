#include "platform/drive_services.h"

// The plain area: every request is refused.
namespace platform {

DeviceHandle DriveServices::CreateFileA(std::string_view, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {
    return kInvalidHandleValue;
}
bool DriveServices::DeviceIoControl(DeviceHandle, std::uint32_t, std::span<const std::uint8_t>,
                                    std::span<std::uint8_t>, std::uint32_t& bytesReturned) {
    bytesReturned = 0;
    return false;
}
bool DriveServices::DeviceIoControl(DeviceHandle, std::uint32_t, ScsiPassThroughDirect&) { return false; }
bool DriveServices::CloseHandle(DeviceHandle) { return false; }
std::string DriveServices::GetLogicalDriveStringsA() { return {}; }
std::uint32_t DriveServices::GetDriveTypeA(std::string_view) { return drive::kDriveNoRootDir; }
std::optional<VolumeInformation> DriveServices::GetVolumeInformationA(std::string_view) { return std::nullopt; }
std::optional<DiskFreeSpace> DriveServices::GetDiskFreeSpaceA(std::string_view) { return std::nullopt; }
std::optional<DiskFreeSpaceEx> DriveServices::GetDiskFreeSpaceExA(std::string_view) { return std::nullopt; }
DeviceHandle DriveServices::LoadLibraryA(std::string_view) { return kInvalidHandleValue; }
bool DriveServices::GetProcAddress(DeviceHandle, std::string_view) { return false; }
std::string DriveServices::GetModuleFileNameA(DeviceHandle) { return {}; }
bool DriveServices::FreeLibrary(DeviceHandle) { return false; }
DeviceHandle DriveServices::CreateEventA() { return kInvalidHandleValue; }
std::uint32_t DriveServices::WaitForSingleObject(DeviceHandle, std::uint32_t) { return drive::kWaitFailed; }
std::uint32_t DriveServices::GetASPI32SupportInfo() { return 0; }
std::uint32_t DriveServices::SendASPI32Command(SrbHaInquiry& srb) { return srb.status = aspi::kSsNoAspi; }
std::uint32_t DriveServices::SendASPI32Command(SrbGetDevType& srb) { return srb.status = aspi::kSsNoAspi; }
std::uint32_t DriveServices::SendASPI32Command(SrbExecScsiCmd& srb) { return srb.status = aspi::kSsNoAspi; }

}  // namespace platform
