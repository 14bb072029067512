#pragma once
// Drives as the collectors see them: physical disks opened by number, volumes
// by their root path, optical drives through SCSI pass-through or an ASPI
// module. The operations keep the names of the Windows services they stand
// for; device requests and replies travel as the bytes of their documented
// records (drive_records.h). Every operation of this base class refuses, so a
// backend without drives answers nothing and breaks nothing.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// A device, event or module opened through this area; kInvalidHandleValue when none.
using DeviceHandle = std::intptr_t;
inline constexpr DeviceHandle kInvalidHandleValue = -1;

namespace drive {
// CreateFileA.
inline constexpr std::uint32_t kGenericRead = 0x80000000u;
inline constexpr std::uint32_t kGenericWrite = 0x40000000u;
inline constexpr std::uint32_t kFileShareRead = 1;
inline constexpr std::uint32_t kFileShareWrite = 2;
inline constexpr std::uint32_t kOpenExisting = 3;
inline constexpr std::string_view kDevicePrefix = "\\\\.\\";          // \\.\ before a device name
inline constexpr std::string_view kPhysicalDrive = "PhysicalDrive";  // \\.\PhysicalDrive0

// GetDriveTypeA.
inline constexpr std::uint32_t kDriveUnknown = 0;
inline constexpr std::uint32_t kDriveNoRootDir = 1;
inline constexpr std::uint32_t kDriveRemovable = 2;
inline constexpr std::uint32_t kDriveFixed = 3;
inline constexpr std::uint32_t kDriveRemote = 4;
inline constexpr std::uint32_t kDriveCdrom = 5;
inline constexpr std::uint32_t kDriveRamdisk = 6;

// DeviceIoControl requests.
inline constexpr std::uint32_t kSmartGetVersion = 0x00074080;
inline constexpr std::uint32_t kSmartRcvDriveData = 0x0007C088;
inline constexpr std::uint32_t kIoctlDiskGetDriveGeometry = 0x00070000;
inline constexpr std::uint32_t kIoctlDiskGetDriveGeometryEx = 0x000700A0;
inline constexpr std::uint32_t kIoctlStorageQueryProperty = 0x002D1400;
inline constexpr std::uint32_t kIoctlStorageGetMediaTypesEx = 0x002D0C04;
inline constexpr std::uint32_t kIoctlScsiGetAddress = 0x00041018;
inline constexpr std::uint32_t kIoctlScsiPassThroughDirect = 0x0004D014;

// The access a request needs of its handle: bits 14-15 of its code
// (FILE_READ_ACCESS 1, FILE_WRITE_ACCESS 2; 0 is FILE_ANY_ACCESS). A handle
// opened without that access is refused the request.
inline constexpr std::uint32_t kFileReadAccess = 1;
inline constexpr std::uint32_t kFileWriteAccess = 2;
constexpr std::uint32_t RequiredAccess(std::uint32_t ioControlCode) { return (ioControlCode >> 14) & 3; }

// WaitForSingleObject.
inline constexpr std::uint32_t kWaitObject0 = 0;
inline constexpr std::uint32_t kWaitTimeout = 0x102;
inline constexpr std::uint32_t kWaitFailed = 0xFFFFFFFFu;

// The ASPI module and its two routines.
inline constexpr std::string_view kAspiModule = "WnAspi32.dll";
inline constexpr std::string_view kGetAspi32SupportInfo = "GetASPI32SupportInfo";
inline constexpr std::string_view kSendAspi32Command = "SendASPI32Command";
}  // namespace drive

// The name that follows \\.\ when a drive is opened: the letter and colon of a
// "C:\" root, and on a system without letters the whole root ("/home",
// "/dev/sr0"), which is how its user knows the volume.
inline std::string_view DriveName(std::string_view root) {
    const bool letterRoot = root.size() >= 2 && root[1] == ':' &&
                            ((root[0] >= 'A' && root[0] <= 'Z') || (root[0] >= 'a' && root[0] <= 'z'));
    return letterRoot ? root.substr(0, 2) : root;
}

// GetVolumeInformationA; texts in the system's single-byte code page.
struct VolumeInformation {
    std::string volumeName;
    // Windows volumes always have one; a Linux volume without a UUID has none.
    std::optional<std::uint32_t> volumeSerialNumber;
    std::uint32_t maximumComponentLength = 0;
    std::uint32_t fileSystemFlags = 0;
    std::string fileSystemName;
};

// GetDiskFreeSpaceA.
struct DiskFreeSpace {
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t bytesPerSector = 0;
    std::uint32_t numberOfFreeClusters = 0;
    std::uint32_t totalNumberOfClusters = 0;
};

// GetDiskFreeSpaceExA: 64-bit byte counts, where a volume of more than
// 2^32 clusters does not fit the cluster counts of GetDiskFreeSpaceA.
struct DiskFreeSpaceEx {
    std::uint64_t freeBytesAvailableToCaller = 0;
    std::uint64_t totalNumberOfBytes = 0;
    std::uint64_t totalNumberOfFreeBytes = 0;
};

// SCSI_PASS_THROUGH_DIRECT, with its data buffer as a span instead of an
// address. The backend fills in scsiStatus and sets dataTransferLength to the
// bytes the device really sent; it writes nothing else into the buffer.
struct ScsiPassThroughDirect {
    static constexpr std::uint16_t kLength = 44;
    static constexpr std::uint8_t kDataIn = 1;
    static constexpr std::uint8_t kStatusGood = 0;
    static constexpr std::uint8_t kStatusCheckCondition = 2;

    std::uint16_t length = kLength;
    std::uint8_t scsiStatus = 0;
    std::uint8_t pathId = 0;
    std::uint8_t targetId = 0;
    std::uint8_t lun = 0;
    std::uint8_t cdbLength = 0;
    std::uint8_t senseInfoLength = 0;
    std::uint8_t dataIn = kDataIn;
    std::uint32_t dataTransferLength = 0;
    std::uint32_t timeOutValue = 0;  // seconds
    std::span<std::uint8_t> dataBuffer;
    std::uint32_t senseInfoOffset = kLength;
    std::array<std::uint8_t, 16> cdb{};
};

// ASPI request blocks (SRBs). The status byte of each is what the caller reads.
namespace aspi {
inline constexpr std::uint8_t kScHaInquiry = 0;
inline constexpr std::uint8_t kScGetDevType = 1;
inline constexpr std::uint8_t kScExecScsiCmd = 2;
inline constexpr std::uint8_t kSsPending = 0;
inline constexpr std::uint8_t kSsComp = 1;
inline constexpr std::uint8_t kSsErr = 4;
inline constexpr std::uint8_t kSsNoAspi = 0xE7;
inline constexpr std::uint8_t kSrbDirIn = 0x08;
inline constexpr std::uint8_t kSrbEventNotify = 0x40;
inline constexpr std::uint8_t kSenseLength = 14;
inline constexpr std::uint8_t kDeviceTypeCdrom = 5;
}  // namespace aspi

struct SrbHaInquiry {
    std::uint8_t command = aspi::kScHaInquiry;
    std::uint8_t status = 0;
    std::uint8_t haId = 0;
};

struct SrbGetDevType {
    std::uint8_t command = aspi::kScGetDevType;
    std::uint8_t status = 0;
    std::uint8_t haId = 0;
    std::uint8_t target = 0;
    std::uint8_t lun = 0;
    std::uint8_t deviceType = 0;
};

// SRB_ExecSCSICmd, its buffer a span. The post-processing event is signalled
// when a command that was pending completes; the ASPI layer then sets status.
struct SrbExecScsiCmd {
    std::uint8_t command = aspi::kScExecScsiCmd;
    std::uint8_t status = 0;
    std::uint8_t haId = 0;
    std::uint8_t flags = 0;
    std::uint8_t target = 0;
    std::uint8_t lun = 0;
    std::uint32_t bufferLength = 0;
    std::span<std::uint8_t> buffer;
    std::uint8_t senseLength = 0;
    std::uint8_t cdbLength = 0;
    std::uint8_t haStatus = 0;
    std::uint8_t targetStatus = 0;
    DeviceHandle postEvent = kInvalidHandleValue;
    std::array<std::uint8_t, 16> cdb{};
    std::array<std::uint8_t, 16> senseArea{};
};

class DriveServices {
public:
    virtual ~DriveServices() = default;

    // Devices: "\\.\PhysicalDrive0".."3", "\\.\" and a drive name (DriveName).
    // The security attributes (length 12, nothing else) carry nothing and are left out.
    virtual DeviceHandle CreateFileA(std::string_view fileName, std::uint32_t desiredAccess, std::uint32_t shareMode,
                                     std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes);
    // True on success, with bytesReturned set to the reply's length in `out`.
    virtual bool DeviceIoControl(DeviceHandle device, std::uint32_t ioControlCode, std::span<const std::uint8_t> in,
                                 std::span<std::uint8_t> out, std::uint32_t& bytesReturned);
    // IOCTL_SCSI_PASS_THROUGH_DIRECT: the record is input and output.
    virtual bool DeviceIoControl(DeviceHandle device, std::uint32_t ioControlCode, ScsiPassThroughDirect& request);
    virtual bool CloseHandle(DeviceHandle handle);

    // The root paths of the drives, each ended by NUL, without the final
    // terminator ("C:\\\0D:\\\0"); empty when there are none. Never cut short.
    virtual std::string GetLogicalDriveStringsA();
    virtual std::uint32_t GetDriveTypeA(std::string_view root);
    virtual std::optional<VolumeInformation> GetVolumeInformationA(std::string_view root);
    virtual std::optional<DiskFreeSpace> GetDiskFreeSpaceA(std::string_view root);
    virtual std::optional<DiskFreeSpaceEx> GetDiskFreeSpaceExA(std::string_view root);

    // Modules: the ASPI module is the only one the program asks for.
    virtual DeviceHandle LoadLibraryA(std::string_view file);
    virtual bool GetProcAddress(DeviceHandle module, std::string_view routine);
    virtual std::string GetModuleFileNameA(DeviceHandle module);
    virtual bool FreeLibrary(DeviceHandle module);

    // Events for ASPI command completion (auto-reset, initially not signalled).
    virtual DeviceHandle CreateEventA();
    virtual std::uint32_t WaitForSingleObject(DeviceHandle event, std::uint32_t milliseconds);

    // ASPI for Win32, reachable only when its module loads.
    virtual std::uint32_t GetASPI32SupportInfo();
    virtual std::uint32_t SendASPI32Command(SrbHaInquiry& srb);
    virtual std::uint32_t SendASPI32Command(SrbGetDevType& srb);
    virtual std::uint32_t SendASPI32Command(SrbExecScsiCmd& srb);
};

}  // namespace platform
