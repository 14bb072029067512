#include "platform/spooler_records.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/bytes.h"

namespace platform {

namespace {

struct TextField {
    std::size_t offset;
    const std::optional<std::string>* text;
};

// Lays out `records` (each a list of its text fields) and, after them, the
// texts; `fill` writes the non-text fields of record i at its offset.
template <typename Fields>
SpoolerBuffer Pack(std::size_t recordSize, std::size_t count, Fields fields) {
    SpoolerBuffer buffer(recordSize * count, 0);
    for (std::size_t i = 0; i < count; ++i) {
        for (const TextField& field : fields(i, buffer)) {
            if (!field.text->has_value()) continue;
            const std::string& text = **field.text;
            base::WriteLe32(buffer, recordSize * i + field.offset, static_cast<std::uint32_t>(buffer.size()));
            buffer.insert(buffer.end(), text.begin(), std::find(text.begin(), text.end(), '\0'));
            buffer.push_back(0);
        }
    }
    return buffer;
}

}  // namespace

SpoolerBuffer PackPrinterInfo2(std::span<const PrinterInfo2> printers) {
    return Pack(PrinterInfo2Layout::kSize, printers.size(), [&](std::size_t i, SpoolerBuffer&) {
        const PrinterInfo2& p = printers[i];
        return std::vector<TextField>{
            {PrinterInfo2Layout::kServerName, &p.serverName}, {PrinterInfo2Layout::kPrinterName, &p.printerName},
            {PrinterInfo2Layout::kShareName, &p.shareName},   {PrinterInfo2Layout::kPortName, &p.portName},
            {PrinterInfo2Layout::kDriverName, &p.driverName}, {PrinterInfo2Layout::kComment, &p.comment},
            {PrinterInfo2Layout::kLocation, &p.location}};
    });
}

SpoolerBuffer PackPortInfo2(std::span<const PortInfo2> ports) {
    return Pack(PortInfo2Layout::kSize, ports.size(), [&](std::size_t i, SpoolerBuffer& buffer) {
        const PortInfo2& p = ports[i];
        base::WriteLe32(buffer, PortInfo2Layout::kSize * i + PortInfo2Layout::kPortType, p.portType);
        return std::vector<TextField>{{PortInfo2Layout::kPortName, &p.portName},
                                      {PortInfo2Layout::kMonitorName, &p.monitorName},
                                      {PortInfo2Layout::kDescription, &p.description}};
    });
}

bool AnswerSpoolerRequest(const SpoolerBuffer& packed, std::uint32_t count, std::span<std::uint8_t> buffer,
                          std::uint32_t& needed, std::uint32_t& returned) {
    returned = 0;
    if (count == 0) {
        needed = 0;
        return true;
    }
    needed = static_cast<std::uint32_t>(packed.size());
    if (buffer.size() < packed.size()) return false;
    std::memcpy(buffer.data(), packed.data(), packed.size());
    returned = count;
    return true;
}

}  // namespace platform
