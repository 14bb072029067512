#pragma once
// Simulated drives: physical disks by number, optical drives by name with
// their SCSI address and a reply (or refusal) per command block, an optional
// ASPI module with its adapters, and the logical drives with their volumes.
// The latest command blocks sent are logged, so tests can check them byte for
// byte.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/drive_records.h"
#include "platform/drive_services.h"
#include "platform/sim/request_log.h"

namespace platform::sim {

using ByteString = std::vector<std::uint8_t>;

// What a disk's STORAGE_DEVICE_DESCRIPTOR says; an empty text has no offset.
struct SimStorageDescriptor {
    std::uint32_t busType = storage_query::kBusTypeUnknown;
    bool removable = false;
    std::string vendor, product, revision, serial;
};

struct SimDisk {
    bool opens = true;
    std::optional<std::uint8_t> deviceMap = 1;  // nothing: SMART_GET_VERSION refused
    std::optional<ByteString> identify;         // nothing: IDENTIFY refused
    std::optional<DiskGeometry> geometry;       // nothing: geometry refused
    std::optional<std::uint64_t> diskSize;      // with the geometry: geometry-ex answers
    std::optional<SimStorageDescriptor> descriptor;  // nothing: the device property refused
    // An NVMe disk: its Identify Controller data answers the protocol query,
    // and SMART is refused.
    std::optional<ByteString> nvmeIdentify;
};

struct SimCommand {
    enum class Completion { kAtOnce, kAfterWait, kNever };
    bool refused = false;           // the request itself fails
    std::uint8_t scsiStatus = 0;    // 2: CHECK CONDITION
    ByteString data;                // what the drive sends
    Completion completion = Completion::kAtOnce;  // ASPI only
};

struct SimOpticalDrive {
    bool opens = true;
    // The adapter's AlignmentMask: a pass-through data buffer at an address
    // with any of these bits set is refused. Nothing: the adapter property
    // query is refused (and any buffer taken).
    std::optional<std::uint32_t> alignmentMask;
    std::optional<ScsiAddress> address;  // nothing: IOCTL_SCSI_GET_ADDRESS refused
    std::map<ByteString, SimCommand> commands;  // by command block; others are refused
};

struct SimAspi {
    struct Device {
        std::uint8_t target = 0;
        std::uint8_t deviceType = 0;
        std::string drive;  // the optical drive whose commands it answers
    };
    struct Adapter {
        bool answers = true;
        std::vector<Device> devices;
    };
    std::vector<std::string> exports;  // routines the module has
    std::string fileName;
    std::uint8_t supportStatus = aspi::kSsComp;
    std::vector<Adapter> adapters;
};

struct SimLogicalDrive {
    std::string root;
    std::uint32_t driveType = drive::kDriveFixed;
    bool opens = true;
    std::optional<std::uint32_t> busType;
    std::optional<std::uint32_t> mediaType;
    std::optional<VolumeInformation> volume;
    // Cluster counts in 64 bits: a volume may have more than 2^32 clusters,
    // which GetDiskFreeSpaceA hands over cut to their low 32 bits.
    struct FreeSpace {
        std::uint32_t sectorsPerCluster = 0, bytesPerSector = 0;
        std::uint64_t freeClusters = 0, totalClusters = 0;
        // GetDiskFreeSpaceExA's own byte counts, where they are not whole
        // clusters (a capture keeps what the volume answered).
        std::optional<std::uint64_t> totalBytes, freeBytes, availableBytes;
    };
    std::optional<FreeSpace> space;
};

// One command block as it reached a drive.
struct SentCommand {
    std::string transport;  // "SPTI" or "ASPI"
    ByteString cdb;
    std::uint32_t transferLength = 0;
    std::uint32_t timeOutSeconds = 0;  // SPTI
    std::uint8_t flags = 0;            // ASPI
    std::uint8_t pathId = 0, targetId = 0, lun = 0;
};

class SimDrives final : public DriveServices {
public:
    // A process that is not elevated is refused every open of a disk or a
    // volume that asks for read or write access, as a standard user is;
    // opens for no access succeed.
    bool elevated = true;
    std::map<int, SimDisk> disks;
    std::map<std::string, SimOpticalDrive> opticalDrives;
    std::optional<SimAspi> aspi;
    // Fixed once the first request was made: requests find a drive through an
    // index of the drive names made then.
    std::vector<SimLogicalDrive> logicalDrives;

    const RequestLog<SentCommand>& Sent() const { return sent_; }
    // How many logical drives the requests looked through, for tests: each
    // once, when the index is made.
    std::size_t EntriesVisited() const { return visited_; }
    int OpenHandles() const { return static_cast<int>(handles_.size()); }
    int HandlesOpened() const { return opened_; }

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
    enum class Kind { kDisk, kDrive, kModule, kEvent };
    struct Open {
        Kind kind;
        std::uint32_t access = 0;  // GENERIC_READ, GENERIC_WRITE as opened
        int disk = 0;
        std::string name;  // drive name
        // An event's pending ASPI command, completed by a wait.
        SrbExecScsiCmd* pending = nullptr;
        const SimCommand* pendingReply = nullptr;
    };

    DeviceHandle NewHandle(Open open);
    Open* Find(DeviceHandle handle, Kind kind);
    const SimLogicalDrive* FindLogical(std::string_view name);
    const SimCommand* FindCommand(const std::string& drive, const ByteString& cdb) const;
    bool DiskRequest(const Open& disk, std::uint32_t code, std::span<const std::uint8_t> in,
                     std::span<std::uint8_t> out, std::uint32_t& bytesReturned);
    bool DriveRequest(const Open& drive, std::uint32_t code, std::span<const std::uint8_t> in,
                      std::span<std::uint8_t> out, std::uint32_t& bytesReturned);
    static bool Grants(const Open& open, std::uint32_t code);

    std::map<DeviceHandle, Open> handles_;
    DeviceHandle next_ = 100;
    int opened_ = 0;
    RequestLog<SentCommand> sent_;
    // By DriveName, a view of the drive's own root: the first drive of each name.
    std::optional<std::unordered_map<std::string_view, std::size_t>> logicalByName_;
    std::size_t visited_ = 0;
};

// The machine file's drive sections (sim_drives_reader.cpp).
struct SimAreas;
class Node;
void ReadDisksSection(const Node& section, SimAreas& areas);
void ReadOpticalDrivesSection(const Node& section, SimAreas& areas);
void ReadAspiSection(const Node& section, SimAreas& areas);
void ReadLogicalDrivesSection(const Node& section, SimAreas& areas);
void ReadElevatedSection(const Node& section, SimAreas& areas);

}  // namespace platform::sim
