#pragma once
// One drive of the system's drive list: its type and its volume.

#include <cstdint>
#include <string>

namespace collectors {

class LogicalDrives;

class LogicalDriveItem {
public:
    // "C:" on a system with letters; the root itself ("/", "/home",
    // "/dev/sr0") where there are none.
    const std::wstring& Letter() const { return letter_; }
    // 2 removable, 3 fixed, 4 network, 5 CD-ROM, 6 RAM disk, 7 DVD.
    std::int32_t DriveType() const { return driveType_; }
    const std::wstring& Name() const { return name_; }
    const std::wstring& FileSystem() const { return fileSystem_; }
    // XXXX-XXXX, or empty when the volume could not be read.
    const std::wstring& SerialNumber() const { return serialNumber_; }
    // Whole bytes.
    std::int64_t Capacity() const { return capacity_; }
    std::int64_t FreeSpace() const { return freeSpace_; }

private:
    friend class LogicalDrives;
    std::wstring letter_;
    std::int32_t driveType_ = 0;
    std::wstring name_;
    std::wstring fileSystem_;
    std::wstring serialNumber_;
    std::int64_t capacity_ = 0;
    std::int64_t freeSpace_ = 0;
};

}  // namespace collectors
