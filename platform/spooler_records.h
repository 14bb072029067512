#pragma once
// The print spooler's answer to EnumPrinters and EnumPorts at level 2: one
// buffer that starts with an array of fixed-size records (PRINTER_INFO_2A,
// PORT_INFO_2A) whose text fields point to zero-ended single-byte texts
// further on in the same buffer. All fields are 32-bit little-endian. A text
// pointer is the text's byte offset from the start of the buffer the caller
// passed; 0 is the null pointer (offset 0 always lies inside the first
// record, so no text can start there).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

// EnumPrinters flags: the printers of this machine, and the printers on print
// servers the user has connected to (named \\server\queue).
inline constexpr std::uint32_t kPrinterEnumLocal = 2;
inline constexpr std::uint32_t kPrinterEnumConnections = 4;
inline constexpr std::uint32_t kSpoolerLevel2 = 2;

// PRINTER_INFO_2A: 84 bytes; the program reads the text fields at 4 to 24.
struct PrinterInfo2Layout {
    static constexpr std::size_t kSize = 84;
    static constexpr std::size_t kServerName = 0;
    static constexpr std::size_t kPrinterName = 4;
    static constexpr std::size_t kShareName = 8;
    static constexpr std::size_t kPortName = 12;
    static constexpr std::size_t kDriverName = 16;
    static constexpr std::size_t kComment = 20;
    static constexpr std::size_t kLocation = 24;
    static constexpr std::size_t kFieldCount = 21;  // texts and pointers, then the numbers, 32 bits each
};
static_assert(PrinterInfo2Layout::kFieldCount * 4 == PrinterInfo2Layout::kSize);

// PORT_INFO_2A: 20 bytes.
struct PortInfo2Layout {
    static constexpr std::size_t kSize = 20;
    static constexpr std::size_t kPortName = 0;
    static constexpr std::size_t kMonitorName = 4;
    static constexpr std::size_t kDescription = 8;
    static constexpr std::size_t kPortType = 12;
    static constexpr std::size_t kReserved = 16;
};
static_assert(PortInfo2Layout::kReserved + 4 == PortInfo2Layout::kSize);

// fPortType bits.
inline constexpr std::uint32_t kPortTypeWrite = 1;
inline constexpr std::uint32_t kPortTypeRead = 2;

// One printer as a backend knows it; texts in Windows-1252, nothing for a
// null pointer.
struct PrinterInfo2 {
    std::optional<std::string> serverName, printerName, shareName, portName, driverName, comment, location;
};

struct PortInfo2 {
    std::optional<std::string> portName, monitorName, description;
    std::uint32_t portType = 0;
};

using SpoolerBuffer = std::vector<std::uint8_t>;

// The records, then every text once, in record order. A NUL inside a text
// ends it there.
SpoolerBuffer PackPrinterInfo2(std::span<const PrinterInfo2> printers);
SpoolerBuffer PackPortInfo2(std::span<const PortInfo2> ports);

// The two-call protocol over a packed answer of `count` records: `needed`
// is always the packed size. With no records the call succeeds and returns
// nothing; a buffer smaller than the packed size fails with `returned` 0;
// otherwise the answer is copied to the start of `buffer`.
bool AnswerSpoolerRequest(const SpoolerBuffer& packed, std::uint32_t count, std::span<std::uint8_t> buffer,
                          std::uint32_t& needed, std::uint32_t& returned);

}  // namespace platform
