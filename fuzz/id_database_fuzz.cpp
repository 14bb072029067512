// The lines of a PCI or USB ID database (pci.ids, usb.ids): any text. Every
// look-up names what the file holds, or nothing, and the lines kept for a
// capture name the same devices again.

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/linux/parsers/id_database.h"

namespace pl = platform::linux_backend;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::uint16_t vendor = static_cast<std::uint16_t>(data[0] << 8 | data[1]);
    const std::uint16_t device = static_cast<std::uint16_t>(data[2] << 8 | data[3]);
    const pl::IdDatabase ids(std::string(reinterpret_cast<const char*>(data + 4), size - 4));
    const auto name = ids.VendorAndDevice(vendor, device);
    const auto cls = ids.Class(static_cast<std::uint8_t>(vendor));
    if (name) FUZZ_CHECK(!name->empty() && name->find('\n') == std::string::npos);
    // Nothing found means no vendor line of that number, sorted file or not.
    if (!ids.Vendor(vendor)) {
        const std::string text(reinterpret_cast<const char*>(data + 4), size - 4);
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            std::string_view line(text.data() + start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            const auto parsed = pl::ParseIdLine(line, 4);
            FUZZ_CHECK(!parsed || parsed->first != vendor);
            start = end + 1;
        }
    }
    const pl::IdDatabase used(ids.UsedLines());
    FUZZ_CHECK(used.VendorAndDevice(vendor, device) == name);
    FUZZ_CHECK(used.Class(static_cast<std::uint8_t>(vendor)) == cls);
    return 0;
}
