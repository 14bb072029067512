// The recorded answer of the print server (channel "cups", request
// "destinations"): a reply that decodes encodes back to the same bytes, and
// its destinations packed into the spooler's buffer read back whole through
// the collectors' reader.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "collectors/SpoolerAnswer.h"
#include "fuzz_check.h"
#include "base/codepage.h"
#include "platform/linux/parsers/cups_destinations.h"
#include "platform/spooler_records.h"

namespace pl = platform::linux_backend;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const pl::Bytes reply(data, data + size);
    const auto destinations = pl::DecodeCupsDestinations(reply);
    if (!destinations) return 0;
    FUZZ_CHECK(pl::EncodeCupsDestinations(*destinations) == reply);

    std::vector<platform::PrinterInfo2> records;
    for (const auto& d : *destinations) {
        platform::PrinterInfo2 record;
        // The Linux spooler hands names over in its own code page, UTF-8.
        record.printerName = d.name;
        record.portName = d.deviceUri;
        records.push_back(std::move(record));
    }
    const auto packed = platform::PackPrinterInfo2(records);
    const collectors::SpoolerAnswer answer(packed, static_cast<std::uint32_t>(records.size()),
                                           platform::PrinterInfo2Layout::kSize);
    FUZZ_CHECK(answer.RecordCount() == records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        FUZZ_CHECK(answer.Text(i, platform::PrinterInfo2Layout::kPrinterName, base::CodePage::kUtf8) ==
                   base::TextFromBuffer(base::CodePage::kUtf8, *records[i].printerName));
        FUZZ_CHECK(answer.Text(i, platform::PrinterInfo2Layout::kComment, base::CodePage::kUtf8).empty());
    }
    return 0;
}
