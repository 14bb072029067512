#pragma once
// SCSI/MMC command blocks to one optical drive, named by its drive name, over
// one of two transports: "ASPI" (the ASPI module, where one is installed) or
// "SPTI" (the system's SCSI pass-through on a handle to the drive). Data
// always flows from the drive into the caller's buffer. One object serves one
// drive at a time: Create, commands, Destroy, and again for the next drive.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drive_records.h"
#include "platform/drive_services.h"

namespace transport {

class MMC {
public:
    // A drive that does not finish a command in this time is given up, so a
    // dead drive cannot hold the window.
    static constexpr std::uint32_t kCommandTimeoutSeconds = 5;
    // Where the adapter does not tell its alignment: quad words, the widest
    // mask documented.
    static constexpr std::uint32_t kDefaultAlignmentMask = 7;
    static constexpr std::uint32_t kPageSize = 4096;

    static constexpr std::wstring_view kAspi = L"ASPI";
    static constexpr std::wstring_view kSpti = L"SPTI";

    explicit MMC(platform::DriveServices& drives) : drives_(drives) {}
    ~MMC();
    MMC(const MMC&) = delete;
    MMC& operator=(const MMC&) = delete;

    // `drive` is a root path or drive name ("D:", "/dev/sr0"); `initialdriver`
    // asks for "ASPI" or "SPTI", or "" to choose (ASPI where its module has
    // both routines). True when the drive is ready for commands.
    bool Create(std::string_view drive, std::string_view initialdriver);
    // Closes the drive; Interface and the address stay as they were.
    void Destroy();

    const std::wstring& ErrorMessage() const { return errorMessage_; }
    const std::wstring& Interface() const { return interface_; }

    // The command set. `outputbuffersize` is the transfer length and, where
    // the command has one, its allocation length; `outputbuffer` must hold at
    // least that many bytes, or the command is not sent.
    bool TestUnitReady();
    bool Inquiry(std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer);
    bool StartStopUnit(bool start);
    bool ReadCapacity(std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer);
    bool Read(std::uint32_t logicalblockaddr, std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer);
    bool ReadSubChannel(std::uint8_t fmt, std::uint8_t trk, std::int16_t outputbuffersize,
                        std::span<std::uint8_t> outputbuffer);
    bool ReadTOC(bool msfmode, std::uint8_t fmt, std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer);
    bool ReadHeader(bool msfmode, std::uint32_t logicalblockaddr, std::int16_t outputbuffersize,
                    std::span<std::uint8_t> outputbuffer);
    bool GetEventStatusNotification(std::uint8_t req, std::int16_t outputbuffersize,
                                    std::span<std::uint8_t> outputbuffer);
    bool ReadDiscInformation(std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer);
    bool ReadTrackInformation(std::uint8_t trk, std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer);
    bool ModeSense(std::uint8_t pcode, std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer);
    bool ReadDiscStructure(std::uint8_t fmt, std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer);
    bool ReadCD(std::uint32_t logicalblockaddr, std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer);

private:
    bool CreateTransport(std::string_view drive, std::string_view initialdriver);
    bool OpenDrive(std::string_view drive);
    bool ReadAddress(platform::ScsiAddress& address);
    bool SearchAspi(std::string_view drive);
    void CloseDrive();
    std::size_t ReadAlignment();
    // `size` bytes at an address the adapter takes, zeroed.
    std::span<std::uint8_t> AlignedBuffer(std::size_t size);

    // Every command travels through here. A command counts as sent only when
    // the drive finished it with GOOD status; bytes it did not send read as 0.
    bool SendCommand(std::uint8_t cdbLength, std::span<const std::uint8_t> cdb, std::int16_t outputbuffersize,
                     std::span<std::uint8_t> outputbuffer);
    bool SendAspi(std::uint8_t cdbLength, std::span<const std::uint8_t> cdb, std::span<std::uint8_t> data);
    bool SendSpti(std::uint8_t cdbLength, std::span<const std::uint8_t> cdb, std::span<std::uint8_t> data);

    platform::DriveServices& drives_;
    std::wstring errorMessage_;
    std::wstring interface_;
    platform::DeviceHandle device_ = platform::kInvalidHandleValue;
    std::uint8_t adapter_ = 0;
    std::uint8_t aspiTarget_ = 0;
    std::uint8_t pathId_ = 0;
    std::uint8_t targetId_ = 0;
    std::uint8_t lun_ = 0;
    // The ASPI search matched a device since the last Create: without it,
    // adapter 0 target 0 (or the previous drive) would get the commands.
    bool aspiReady_ = false;
    std::uint32_t bytesReturned_ = 0;
    // The data buffer's alignment the adapter needs (SPTI), and the buffer used
    // where the caller's is not so aligned.
    std::size_t alignment_ = std::size_t{kDefaultAlignmentMask} + 1;
    std::vector<std::uint8_t> aligned_;
};

}  // namespace transport
