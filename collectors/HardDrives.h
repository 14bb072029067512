#pragma once
// The first four physical disks, read once: their identity (model, firmware,
// serial) from an NVMe disk's Identify Controller data, else from ATA
// IDENTIFY through the disk driver's SMART interface, else from the storage
// driver's device descriptor; and their geometry and size.
// A disk that does not answer leaves no gap: items are packed in drive order.

#include <cstdint>
#include <span>
#include <string>

#include "base/codepage.h"
#include "collectors/Collection.h"
#include "collectors/HardDriveQueries.h"
#include "collectors/HardDriveItem.h"
#include "platform/drive_services.h"
#include "platform/machine.h"

namespace collectors {

class HardDrives : public Collection<HardDriveItem> {
public:
    static constexpr int kDrivesLooked = 4;
    // IDENTIFY DEVICE data: byte offsets and lengths of the three texts.
    static constexpr std::size_t kSerialOffset = 20, kSerialLength = 20;      // words 10-19
    static constexpr std::size_t kFirmwareOffset = 46, kFirmwareLength = 8;   // words 23-26
    static constexpr std::size_t kModelOffset = 54, kModelLength = 40;        // words 27-46
    static constexpr std::size_t kIdentifyKept = 256;

    explicit HardDrives(platform::Machine& machine) : HardDrives(machine.Drives(), machine.TextCodePage()) {}
    // `page`: the machine's code page, which IDENTIFY's texts are read in.
    HardDrives(platform::DriveServices& drives, base::CodePage page);

    // An ATA identify string: each pair of bytes swapped (an odd last byte
    // stays last), then spaces trimmed at both ends.
    static std::string SwapPairs(std::string_view text);
    // The text of `length` bytes at `offset` of IDENTIFY data: swapped and
    // trimmed as above, then decoded from `page`; NUL bytes stay characters.
    static std::wstring IdentifyText(std::span<const std::uint8_t> identify, std::size_t offset, std::size_t length,
                                     base::CodePage page);

private:
    class OpenDisk;
    void ReadDrive(platform::DriveServices& drives, int number, base::CodePage page);
    // SMART IDENTIFY on a handle opened for reading and writing; false when refused.
    static bool ReadSmartIdentity(platform::DriveServices& drives, const std::string& path, int number,
                                  base::CodePage page, HardDriveItem& item);
    static void SetGeometry(HardDriveItem& item, const DiskGeometryAnswer& answer);
};

}  // namespace collectors
