#include "collectors/Printers.h"

#include <memory>

#include "collectors/SpoolerAnswer.h"
#include "base/codepage.h"
#include "platform/spooler_services.h"

namespace collectors {

Printers::Printers(platform::Machine& machine) {
    using platform::PrinterInfo2Layout;
    auto& spooler = machine.Spooler();
    const SpoolerAnswer answer = SpoolerAnswer::Ask(
        [&](std::span<std::uint8_t> buffer, std::uint32_t& needed, std::uint32_t& returned) {
            // The printers of this machine and those the user connected to on
            // a print server: the default printer may be either.
            return spooler.EnumPrinters(platform::kPrinterEnumLocal | platform::kPrinterEnumConnections,
                                        platform::kSpoolerLevel2, buffer, needed, returned);
        },
        PrinterInfo2Layout::kSize);
    if (answer.RecordCount() == 0) return;
    const auto defaultName = spooler.GetDefaultPrinter();
    const base::CodePage page = machine.TextCodePage();
    // The default printer is found by its name as the spooler holds it.
    const std::string_view defaultPrinter =
        defaultName ? std::string_view(*defaultName).substr(0, defaultName->find('\0')) : std::string_view();
    for (std::size_t i = 0; i < answer.RecordCount(); ++i) {
        auto item = std::make_unique<PrinterItem>();
        item->comment_ = answer.Text(i, PrinterInfo2Layout::kComment, page);
        item->driverName_ = answer.Text(i, PrinterInfo2Layout::kDriverName, page);
        item->location_ = answer.Text(i, PrinterInfo2Layout::kLocation, page);
        item->name_ = answer.Text(i, PrinterInfo2Layout::kPrinterName, page);
        item->port_ = answer.Text(i, PrinterInfo2Layout::kPortName, page);
        item->selected_ =
            defaultName.has_value() && answer.Bytes(i, PrinterInfo2Layout::kPrinterName) == defaultPrinter;
        Add(std::move(item));
    }
    CountPastLimit(answer.RecordsFound() - answer.RecordCount());
}

}  // namespace collectors
