// /etc/os-release and /proc/sys/kernel/osrelease: the same text read both ways.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "platform/linux/parsers/os_release.h"

namespace pl = platform::linux_backend;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(!pl::PrettyName(text).empty());
    pl::ParseKernelRelease(text);
    return 0;
}
