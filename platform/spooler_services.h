#pragma once
// The print spooler: printers, ports and the default printer.
// Every operation of the plain class refuses; a backend overrides those it
// can answer. The enumerations answer in the buffer layout of
// platform/spooler_records.h.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/spooler_records.h"

namespace platform {

class SpoolerServices {
public:
    virtual ~SpoolerServices() = default;

    // EnumPrinters: with `flags` kPrinterEnumLocal, kPrinterEnumConnections
    // or both, and level 2, the printers as PRINTER_INFO_2A records in
    // `buffer` (the local ones first). An empty buffer asks for the
    // size: the request fails and `needed` says how many bytes the answer
    // takes, or succeeds when there is nothing to list. `returned` is the
    // number of records written.
    virtual bool EnumPrinters(std::uint32_t, std::uint32_t, std::span<std::uint8_t>, std::uint32_t& needed,
                              std::uint32_t& returned) {
        needed = returned = 0;
        return false;
    }
    // EnumPorts: the same for the ports, as PORT_INFO_2A records.
    virtual bool EnumPorts(std::uint32_t, std::span<std::uint8_t>, std::uint32_t& needed, std::uint32_t& returned) {
        needed = returned = 0;
        return false;
    }
    // The device name of the printer the application prints to by default
    // (Windows-1252); nothing when there is none.
    virtual std::optional<std::string> GetDefaultPrinter() { return std::nullopt; }
};

}  // namespace platform
