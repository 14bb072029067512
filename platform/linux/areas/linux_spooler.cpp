#include "platform/linux/areas/linux_spooler.h"

#include <vector>

#include "base/codepage.h"
#include "platform/linux/io/cups_client.h"
#include "platform/linux/parsers/cups_destinations.h"
#include "platform/linux/areas/sysfs_ports.h"

namespace platform::linux_backend {

namespace {

// Names are handed over as CUPS and the kernel give them (UTF-8).
std::string Ansi(std::string_view utf8) { return std::string(utf8); }

bool Refuse(std::uint32_t& needed, std::uint32_t& returned) {
    needed = 0;
    returned = 0;
    return false;
}

}  // namespace

const std::optional<LinuxSpooler::PrinterAnswer>& LinuxSpooler::Printers() {
    if (printersAsked_) return printers_;
    printersAsked_ = true;
    const auto reply = context_.replies->Ask(kChannel, kDestinations, []() -> std::optional<Bytes> {
        const auto destinations = AskCupsDestinations();
        if (!destinations) return std::nullopt;
        return EncodeCupsDestinations(*destinations);
    });
    if (!reply) return printers_;
    const auto destinations = DecodeCupsDestinations(*reply);
    if (!destinations) return printers_;
    PrinterAnswer answer;
    std::vector<PrinterInfo2> records;
    for (const CupsDestination& d : *destinations) {
        PrinterInfo2 record;
        record.printerName = Ansi(d.name);
        record.portName = Ansi(d.deviceUri);
        record.driverName = Ansi(d.makeAndModel);
        record.comment = Ansi(d.info);
        record.location = Ansi(d.location);
        records.push_back(std::move(record));
        if (d.isDefault && !answer.defaultPrinter) answer.defaultPrinter = Ansi(d.name);
    }
    answer.answer = Answer{PackPrinterInfo2(records), static_cast<std::uint32_t>(records.size())};
    printers_ = std::move(answer);
    return printers_;
}

const LinuxSpooler::Answer& LinuxSpooler::Ports() {
    if (ports_) return *ports_;
    std::vector<PortInfo2> records;
    for (const PortFacts& port : ReadPorts(context_.fs)) {
        PortInfo2 record;
        record.portName = Ansi(port.path);
        record.monitorName = Ansi(port.driver);
        record.description = Ansi(port.description);
        record.portType = kPortTypeWrite | kPortTypeRead;
        records.push_back(std::move(record));
    }
    ports_ = Answer{PackPortInfo2(records), static_cast<std::uint32_t>(records.size())};
    return *ports_;
}

bool LinuxSpooler::EnumPrinters(std::uint32_t flags, std::uint32_t level, std::span<std::uint8_t> buffer,
                                std::uint32_t& needed, std::uint32_t& returned) {
    if (level != kSpoolerLevel2 || (flags & kPrinterEnumLocal) == 0) return Refuse(needed, returned);
    const auto& printers = Printers();
    if (!printers) return Refuse(needed, returned);  // no print server: the spooler is not available
    return AnswerSpoolerRequest(printers->answer.packed, printers->answer.count, buffer, needed, returned);
}

bool LinuxSpooler::EnumPorts(std::uint32_t level, std::span<std::uint8_t> buffer, std::uint32_t& needed,
                             std::uint32_t& returned) {
    if (level != kSpoolerLevel2) return Refuse(needed, returned);
    const Answer& ports = Ports();
    return AnswerSpoolerRequest(ports.packed, ports.count, buffer, needed, returned);
}

std::optional<std::string> LinuxSpooler::GetDefaultPrinter() {
    const auto& printers = Printers();
    if (!printers) return std::nullopt;
    return printers->defaultPrinter;
}

}  // namespace platform::linux_backend
