// The command set: each method builds one command block and sends it. Fields
// inside a block are big-endian; every byte not set below is zero.

#include <array>

#include "base/bytes.h"
#include "transport/MMC.h"

namespace transport {

namespace {

enum Opcode : std::uint8_t {
    kTestUnitReady = 0x00,
    kInquiry = 0x12,
    kStartStopUnit = 0x1B,
    kReadCapacity = 0x25,
    kRead10 = 0x28,
    kReadSubChannel = 0x42,
    kReadToc = 0x43,
    kReadHeader = 0x44,
    kGetEventStatusNotification = 0x4A,
    kReadDiscInformation = 0x51,
    kReadTrackInformation = 0x52,
    kModeSense10 = 0x5A,
    kReadDiscStructure = 0xAD,
    kReadCd = 0xBE,
};

constexpr std::uint8_t kMsfBit = 0x02;
constexpr std::uint8_t kSubQ = 0x40;
constexpr std::uint8_t kPolled = 0x01;
constexpr std::uint8_t kAddressIsTrack = 0x01;
constexpr std::uint8_t kLoadEject = 0x02;
constexpr std::uint8_t kStart = 0x01;
constexpr std::uint8_t kSectorTypeCdda = 0x04;
constexpr std::uint8_t kAllFields = 0xF8;  // sync, headers, user data, EDC/ECC

// The group of the opcode fixes the block's length: 6, 10 or 12 bytes.
constexpr std::uint8_t CdbLength(std::uint8_t opcode) { return opcode < 0x20 ? 6 : opcode < 0xA0 ? 10 : 12; }

struct Cdb {
    explicit Cdb(std::uint8_t opcode) : length(CdbLength(opcode)) { bytes[0] = opcode; }
    void Put16(std::size_t at, std::uint16_t value) { base::WriteBe16(bytes, at, value); }
    void Put32(std::size_t at, std::uint32_t value) { base::WriteBe32(bytes, at, value); }
    std::array<std::uint8_t, 12> bytes{};
    std::uint8_t length;
};

std::uint16_t AllocationLength(std::int16_t size) { return static_cast<std::uint16_t>(size); }

}  // namespace

bool MMC::TestUnitReady() {
    Cdb cdb(kTestUnitReady);
    return SendCommand(cdb.length, cdb.bytes, 0, {});
}

bool MMC::Inquiry(std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer) {
    Cdb cdb(kInquiry);
    cdb.Put16(3, AllocationLength(outputbuffersize));
    return SendCommand(cdb.length, cdb.bytes, outputbuffersize, outputbuffer);
}

bool MMC::StartStopUnit(bool start) {
    Cdb cdb(kStartStopUnit);
    cdb.bytes[4] = static_cast<std::uint8_t>(kLoadEject | (start ? kStart : 0));
    return SendCommand(cdb.length, cdb.bytes, 0, {});
}

bool MMC::ReadCapacity(std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer) {
    Cdb cdb(kReadCapacity);
    return SendCommand(cdb.length, cdb.bytes, outputbuffersize, outputbuffer);
}

bool MMC::Read(std::uint32_t logicalblockaddr, std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer) {
    Cdb cdb(kRead10);
    cdb.Put32(2, logicalblockaddr);
    cdb.Put16(7, 1);
    return SendCommand(cdb.length, cdb.bytes, outputbuffersize, outputbuffer);
}

bool MMC::ReadSubChannel(std::uint8_t fmt, std::uint8_t trk, std::int16_t outputbuffersize,
                         std::span<std::uint8_t> outputbuffer) {
    Cdb cdb(kReadSubChannel);
    cdb.bytes[2] = kSubQ;
    cdb.bytes[3] = fmt;
    cdb.bytes[6] = trk;
    cdb.Put16(7, AllocationLength(outputbuffersize));
    return SendCommand(cdb.length, cdb.bytes, outputbuffersize, outputbuffer);
}

bool MMC::ReadTOC(bool msfmode, std::uint8_t fmt, std::int16_t outputbuffersize,
                  std::span<std::uint8_t> outputbuffer) {
    Cdb cdb(kReadToc);
    cdb.bytes[1] = msfmode ? kMsfBit : 0;
    cdb.bytes[2] = fmt;
    cdb.Put16(7, AllocationLength(outputbuffersize));
    return SendCommand(cdb.length, cdb.bytes, outputbuffersize, outputbuffer);
}

bool MMC::ReadHeader(bool msfmode, std::uint32_t logicalblockaddr, std::int16_t outputbuffersize,
                     std::span<std::uint8_t> outputbuffer) {
    Cdb cdb(kReadHeader);
    cdb.bytes[1] = msfmode ? kMsfBit : 0;
    cdb.Put32(2, logicalblockaddr);
    cdb.Put16(7, AllocationLength(outputbuffersize));
    return SendCommand(cdb.length, cdb.bytes, outputbuffersize, outputbuffer);
}

bool MMC::GetEventStatusNotification(std::uint8_t req, std::int16_t outputbuffersize,
                                     std::span<std::uint8_t> outputbuffer) {
    Cdb cdb(kGetEventStatusNotification);
    cdb.bytes[1] = kPolled;
    cdb.bytes[4] = req;
    cdb.Put16(7, AllocationLength(outputbuffersize));
    return SendCommand(cdb.length, cdb.bytes, outputbuffersize, outputbuffer);
}

bool MMC::ReadDiscInformation(std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer) {
    Cdb cdb(kReadDiscInformation);
    cdb.Put16(7, AllocationLength(outputbuffersize));
    return SendCommand(cdb.length, cdb.bytes, outputbuffersize, outputbuffer);
}

bool MMC::ReadTrackInformation(std::uint8_t trk, std::int16_t outputbuffersize,
                               std::span<std::uint8_t> outputbuffer) {
    Cdb cdb(kReadTrackInformation);
    cdb.bytes[1] = kAddressIsTrack;
    cdb.bytes[5] = trk;
    cdb.Put16(7, AllocationLength(outputbuffersize));
    return SendCommand(cdb.length, cdb.bytes, outputbuffersize, outputbuffer);
}

bool MMC::ModeSense(std::uint8_t pcode, std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer) {
    Cdb cdb(kModeSense10);
    cdb.bytes[2] = pcode;
    cdb.Put16(7, AllocationLength(outputbuffersize));
    return SendCommand(cdb.length, cdb.bytes, outputbuffersize, outputbuffer);
}

bool MMC::ReadDiscStructure(std::uint8_t fmt, std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer) {
    Cdb cdb(kReadDiscStructure);
    cdb.bytes[7] = fmt;
    cdb.Put16(8, AllocationLength(outputbuffersize));
    return SendCommand(cdb.length, cdb.bytes, outputbuffersize, outputbuffer);
}

bool MMC::ReadCD(std::uint32_t logicalblockaddr, std::int16_t outputbuffersize, std::span<std::uint8_t> outputbuffer) {
    Cdb cdb(kReadCd);
    cdb.bytes[1] = kSectorTypeCdda;
    cdb.Put32(2, logicalblockaddr);
    cdb.bytes[8] = 1;  // transfer length, bytes 6-8: one block
    cdb.bytes[9] = kAllFields;
    return SendCommand(cdb.length, cdb.bytes, outputbuffersize, outputbuffer);
}

}  // namespace transport
