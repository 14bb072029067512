// A monitor's EDID block as the connector's "edid" file holds it: any bytes,
// any length, a bad header or checksum included.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_check.h"
#include "platform/linux/parsers/edid.h"

namespace pl = platform::linux_backend;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto edid = pl::ParseEdid(std::span(data, size));
    FUZZ_CHECK(edid.manufacturer.empty() || edid.manufacturer.size() == 3);
    FUZZ_CHECK(edid.productName.size() <= pl::EdidLayout::kDescriptorTextLength);
    for (const char c : edid.productName) FUZZ_CHECK(c >= 0x20 && c < 0x7F);
    FUZZ_CHECK(edid.productName.empty() || edid.productName.back() != ' ');
    FUZZ_CHECK(edid.timings.size() <= 4 + 8 + 17);
    for (std::size_t i = 0; i < edid.timings.size(); ++i) {
        FUZZ_CHECK(edid.timings[i].width > 0 && edid.timings[i].height > 0);
        FUZZ_CHECK(!edid.timings[i].preferred || i == 0);
    }
    const auto name = edid.DisplayName();
    FUZZ_CHECK(name.empty() == (edid.productName.empty() && edid.manufacturer.empty()));
    return 0;
}
