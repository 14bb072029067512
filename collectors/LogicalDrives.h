#pragma once
// The system's drives with a root directory: type (a fixed disk on USB counts
// as removable, an optical drive that reads DVD as a DVD drive), volume label,
// file system, serial number, capacity and free space, read once.

#include <cstdint>
#include <optional>
#include <string>

#include "base/codepage.h"
#include "collectors/Collection.h"
#include "collectors/LogicalDriveItem.h"
#include "platform/drive_services.h"
#include "platform/machine.h"

namespace collectors {

class LogicalDrives : public Collection<LogicalDriveItem> {
public:
    static constexpr std::int32_t kDriveDvd = 7;  // the program's own type

    explicit LogicalDrives(platform::Machine& machine) : LogicalDrives(machine.Drives(), machine.TextCodePage()) {}
    // `page`: the machine's code page, which the drive names are in.
    LogicalDrives(platform::DriveServices& drives, base::CodePage page);

    // Cluster figures to bytes, computed in 64 bits; nothing when the product
    // leaves the signed 64-bit range.
    static std::optional<std::int64_t> Bytes(std::uint32_t sectorsPerCluster, std::uint32_t bytesPerSector,
                                              std::uint32_t clusters);

private:
    void ReadDrive(platform::DriveServices& drives, const std::string& root, std::uint32_t type, base::CodePage page);
    static void SetSpace(platform::DriveServices& drives, const std::string& root, LogicalDriveItem& item);
};

}  // namespace collectors
