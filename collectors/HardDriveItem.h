#pragma once
// One physical disk as the disk driver described it at start-up.

#include <cstdint>
#include <string>

namespace collectors {

class HardDrives;

class HardDriveItem {
public:
    const std::wstring& Name() const { return name_; }
    const std::wstring& Revision() const { return revision_; }
    const std::wstring& SerialNumber() const { return serialNumber_; }
    // The physical drive number 0-3 the disk was opened under.
    std::int32_t Controller() const { return controller_; }
    std::int32_t BytesPerSector() const { return bytesPerSector_; }
    // Geometry counts are 64-bit: a disk above 1 TB has more than 2^31 sectors.
    std::int64_t Cylinders() const { return cylinders_; }
    std::int32_t Heads() const { return heads_; }
    std::int64_t Tracks() const { return tracks_; }
    std::int64_t Sectors() const { return sectors_; }
    // Whole bytes.
    std::int64_t Capacity() const { return capacity_; }

private:
    friend class HardDrives;
    std::wstring name_;
    std::wstring revision_;
    std::wstring serialNumber_;
    std::int32_t controller_ = 0;
    std::int32_t bytesPerSector_ = 0;
    std::int64_t cylinders_ = 0;
    std::int32_t heads_ = 0;
    std::int64_t tracks_ = 0;
    std::int64_t sectors_ = 0;
    std::int64_t capacity_ = 0;
};

}  // namespace collectors
