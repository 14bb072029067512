#pragma once
// The simulated print spooler: the section "spooler" of the machine file
// (docs/machine-file.md). Printers and ports are packed into the spooler's
// buffer layout, texts given as null becoming null pointers.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/spooler_records.h"
#include "platform/spooler_services.h"
#include "platform/sim/sim_reader.h"

namespace platform::sim {

class SimSpooler final : public SpoolerServices {
public:
    // One enumeration: nothing when the request fails; `sizeQuerySucceeds`
    // makes the first request (no buffer) succeed with nothing listed, as a
    // spooler does that has nothing to list.
    template <typename Record>
    struct Listing {
        std::optional<std::vector<Record>> records;
        bool sizeQuerySucceeds = false;
    };

    // A connection is a printer shared by a print server that this user has
    // connected to; the spooler lists it only when asked for connections.
    struct Printer {
        PrinterInfo2 record;
        bool connection = false;
    };

    Listing<Printer> printers;
    Listing<PortInfo2> ports;
    std::optional<std::string> defaultPrinter;  // Windows-1252
    // Requests made so far, size queries included.
    std::uint32_t printerRequests = 0;
    std::uint32_t portRequests = 0;

    bool EnumPrinters(std::uint32_t flags, std::uint32_t level, std::span<std::uint8_t> buffer,
                      std::uint32_t& needed, std::uint32_t& returned) override;
    bool EnumPorts(std::uint32_t level, std::span<std::uint8_t> buffer, std::uint32_t& needed,
                   std::uint32_t& returned) override;
    std::optional<std::string> GetDefaultPrinter() override { return defaultPrinter; }
};

struct SimAreas;
void ReadSpoolerSection(const Node& section, SimAreas& areas);

}  // namespace platform::sim
