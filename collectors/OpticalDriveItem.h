#pragma once
// One optical drive: its INQUIRY identity and its speeds from the MM
// capabilities page, as read at start-up.

#include <cstdint>
#include <string>

namespace collectors {

class OpticalDrives;

class OpticalDriveItem {
public:
    // The drive's name: "D:" on a system with letters, its root ("/dev/sr0",
    // "/media/cdrom") elsewhere.
    const std::wstring& Letter() const { return letter_; }
    const std::wstring& Interface() const { return interface_; }
    // The fixed-width INQUIRY fields as sent, trailing blanks kept.
    const std::wstring& Manufacturer() const { return manufacturer_; }
    const std::wstring& Name() const { return name_; }
    const std::wstring& Revision() const { return revision_; }
    // Speed factors: kB/s over the 176 kB/s of a single-speed drive.
    std::int16_t ReadMaximumSpeed() const { return readMaximumSpeed_; }
    std::int16_t ReadCurrentSpeed() const { return readCurrentSpeed_; }
    std::int16_t WriteMaximumSpeed() const { return writeMaximumSpeed_; }
    std::int16_t WriteCurrentSpeed() const { return writeCurrentSpeed_; }

private:
    friend class OpticalDrives;
    std::wstring letter_;
    std::wstring interface_;
    std::wstring manufacturer_;
    std::wstring name_;
    std::wstring revision_;
    std::int16_t readMaximumSpeed_ = 0;
    std::int16_t readCurrentSpeed_ = 0;
    std::int16_t writeMaximumSpeed_ = 0;
    std::int16_t writeCurrentSpeed_ = 0;
};

}  // namespace collectors
