// A recorded ethtool driver-information reply (channel "ethtool",
// "<interface>.drvinfo"), and its version text read as major.minor.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "platform/linux/io/ethtool_drvinfo.h"

namespace pl = platform::linux_backend;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const pl::Bytes reply(data, data + size);
    if (const auto info = pl::DecodeDrvinfo(reply)) {
        FUZZ_CHECK(size == pl::EthtoolDrvinfoLayout::kSize);
        FUZZ_CHECK(info->driver.size() <= 32 && info->version.size() <= 32);
        FUZZ_CHECK(info->driver.find('\0') == std::string::npos);
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (pl::ParseDriverVersion(text)) FUZZ_CHECK(text.find_first_of("0123456789") != std::string_view::npos);
    return 0;
}
