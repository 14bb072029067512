// /proc/meminfo and /proc/self/maps. The input is both files in one: the
// part before the first form feed is meminfo, the rest the maps.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "platform/linux/parsers/meminfo.h"

namespace pl = platform::linux_backend;

namespace {
constexpr char kFileSeparator = '\f';
constexpr std::uint32_t kFullLoad = 100;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find(kFileSeparator);
    const std::string_view meminfo = input.substr(0, split);
    const std::string_view maps = split == std::string_view::npos ? input : input.substr(split + 1);

    const auto info = pl::ParseMeminfo(meminfo);
    if (const auto status = pl::MemoryStatusFromMeminfo(info)) {
        FUZZ_CHECK(status->totalPhys > 0);
        FUZZ_CHECK(status->availPhys <= status->totalPhys);
        FUZZ_CHECK(status->memoryLoad <= kFullLoad);
        FUZZ_CHECK(status->availPageFile <= status->totalPageFile);
        // Without MemAvailable, free memory counts as available at the least.
        const auto free = info.find("MemFree");
        if (info.find("MemAvailable") == info.end() && free != info.end())
            FUZZ_CHECK(status->availPhys >= std::min(free->second, status->totalPhys));
    }
    if (const auto mappings = pl::ParseMaps(maps)) {
        for (const auto& m : *mappings) FUZZ_CHECK(m.start <= m.end);
        for (bool x86_64 : {false, true}) {
            const auto space = pl::UserAddressSpace(x86_64, *mappings);
            FUZZ_CHECK(space.available <= space.total);
            // No mapping inside the user part leaves more free than the rest.
            for (const auto& m : *mappings)
                if (m.name != "[vsyscall]" && m.end <= space.total)
                    FUZZ_CHECK(space.available <= space.total - (m.end - m.start));
        }
    }
    return 0;
}
