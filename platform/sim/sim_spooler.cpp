#include "platform/sim/sim_spooler.h"

#include "base/codepage.h"
#include "platform/sim/sim_areas.h"
#include "platform/sim/sim_text.h"

namespace platform::sim {

namespace {

template <typename Record, typename Pack>
bool Answer(const SimSpooler::Listing<Record>& listing, Pack pack, std::span<std::uint8_t> buffer,
            std::uint32_t& needed, std::uint32_t& returned) {
    needed = 0;
    returned = 0;
    if (!listing.records) return false;
    if (buffer.empty() && listing.sizeQuerySucceeds) return true;
    const auto& records = *listing.records;
    return AnswerSpoolerRequest(pack(records), static_cast<std::uint32_t>(records.size()), buffer, needed, returned);
}

}  // namespace

bool SimSpooler::EnumPrinters(std::uint32_t flags, std::uint32_t level, std::span<std::uint8_t> buffer,
                              std::uint32_t& needed, std::uint32_t& returned) {
    ++printerRequests;
    const std::uint32_t known = kPrinterEnumLocal | kPrinterEnumConnections;
    if (level != kSpoolerLevel2 || (flags & known) == 0) {
        needed = returned = 0;
        return false;
    }
    // The local printers first, then the connections, each in file order.
    const auto pack = [flags](const std::vector<Printer>& all) {
        std::vector<PrinterInfo2> records;
        records.reserve(all.size());
        for (const bool connections : {false, true}) {
            if ((flags & (connections ? kPrinterEnumConnections : kPrinterEnumLocal)) == 0) continue;
            for (const Printer& p : all)
                if (p.connection == connections) records.push_back(p.record);
        }
        return records;
    };
    std::optional<std::vector<PrinterInfo2>> asked;
    if (printers.records) asked = pack(*printers.records);
    return Answer(Listing<PrinterInfo2>{asked, printers.sizeQuerySucceeds},
                  [](const auto& r) { return PackPrinterInfo2(r); }, buffer, needed, returned);
}

bool SimSpooler::EnumPorts(std::uint32_t level, std::span<std::uint8_t> buffer, std::uint32_t& needed,
                           std::uint32_t& returned) {
    ++portRequests;
    if (level != kSpoolerLevel2) {
        needed = returned = 0;
        return false;
    }
    return Answer(ports, [](const auto& r) { return PackPortInfo2(r); }, buffer, needed, returned);
}

}  // namespace platform::sim

namespace platform::sim {

namespace {

bool IsServerQueueName(const std::optional<std::string>& name) {
    if (!name || name->size() < 5 || name->compare(0, 2, "\\\\") != 0) return false;
    const std::size_t slash = name->find('\\', 2);
    return slash != std::string::npos && slash > 2 && slash + 1 < name->size();
}

// A text of the spooler's buffer: null (or absent) is the null pointer.
std::optional<std::string> PointerText(const Node& record, const char* key, base::CodePage page) {
    const auto node = record.Member(key);
    if (!node || node->IsNull()) return std::nullopt;
    return MachineText(*node, page);
}

template <typename Record, typename ReadRecord>
void ReadListing(const Node& section, const char* key, const char* sizeQueryKey, SimSpooler::Listing<Record>& listing,
                 ReadRecord read) {
    listing.sizeQuerySucceeds = section.Boolean(sizeQueryKey, false);
    const auto list = section.Member(key);
    if (!list || list->IsNull()) return;  // the request fails
    listing.records.emplace();
    listing.records->reserve(list->Size());
    for (std::size_t i = 0; i < list->Size(); ++i) listing.records->push_back(read(list->Element(i)));
}

}  // namespace

void ReadSpoolerSection(const Node& section, SimAreas& areas) {
    section.OnlyKeys({"printers", "ports", "default_printer", "printers_size_query_succeeds",
                      "ports_size_query_succeeds"});
    SimSpooler& s = areas.spooler;
    const base::CodePage page = areas.codePage;
    const auto text = [page](const Node& record, const char* key) { return PointerText(record, key, page); };
    ReadListing(section, "printers", "printers_size_query_succeeds", s.printers, [&](const Node& p) {
        p.OnlyKeys({"server", "name", "share", "port", "driver", "comment", "location", "connection"});
        SimSpooler::Printer printer{{text(p, "server"), text(p, "name"), text(p, "share"), text(p, "port"),
                                     text(p, "driver"), text(p, "comment"), text(p, "location")},
                                    p.Boolean("connection", false)};
        // Windows names a connection after its server and queue.
        if (printer.connection && !IsServerQueueName(printer.record.printerName))
            p.Fail("a connection is named \\\\server\\queue");
        return printer;
    });
    ReadListing(section, "ports", "ports_size_query_succeeds", s.ports, [&](const Node& p) {
        p.OnlyKeys({"name", "monitor", "description", "type"});
        return PortInfo2{text(p, "name"), text(p, "monitor"), text(p, "description"),
                         static_cast<std::uint32_t>(p.Unsigned("type", 0xFFFFFFFFu, 0))};
    });
    s.defaultPrinter = text(section, "default_printer");
}

}  // namespace platform::sim
