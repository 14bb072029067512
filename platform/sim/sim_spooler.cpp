#include "platform/sim/sim_spooler.h"

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
    if (level != kSpoolerLevel2 || (flags & kPrinterEnumLocal) == 0) {
        needed = returned = 0;
        return false;
    }
    return Answer(printers, [](const auto& r) { return PackPrinterInfo2(r); }, buffer, needed, returned);
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
