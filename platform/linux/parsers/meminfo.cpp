#include "platform/linux/parsers/meminfo.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

constexpr std::uint64_t kKibibyte = 1024;
constexpr std::uint64_t kPageSize = 4096;
constexpr std::uint64_t kFourLevelTop = std::uint64_t{1} << 47;
constexpr std::uint64_t kFiveLevelTop = std::uint64_t{1} << 56;
constexpr std::uint64_t kPercent = 100;

std::optional<std::uint64_t> Find(const std::map<std::string, std::uint64_t, std::less<>>& info, std::string_view key) {
    const auto found = info.find(key);
    if (found == info.end()) return std::nullopt;
    return found->second;
}

// Sums of figures from a file that may hold anything stop at the largest
// value instead of wrapping round to a small one.
std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) { return b > UINT64_MAX - a ? UINT64_MAX : a + b; }

}  // namespace

std::map<std::string, std::uint64_t, std::less<>> ParseMeminfo(std::string_view text) {
    std::map<std::string, std::uint64_t, std::less<>> info;
    for (std::string_view line : SplitLines(text)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0) continue;
        const auto parts = SplitBlanks(line.substr(colon + 1));
        std::uint64_t unit = 1;
        if (parts.size() == 2 && parts[1] == "kB")
            unit = kKibibyte;
        else if (parts.size() != 1)
            continue;
        const auto value = ParseDecimal(parts[0]);
        if (!value || *value > UINT64_MAX / unit) continue;
        info.emplace(std::string(line.substr(0, colon)), *value * unit);
    }
    return info;
}

std::optional<MemoryStatusEx> MemoryStatusFromMeminfo(const std::map<std::string, std::uint64_t, std::less<>>& info) {
    const auto total = Find(info, "MemTotal");
    if (!total || *total == 0) return std::nullopt;
    MemoryStatusEx status;
    status.totalPhys = *total;
    // Kernels before 3.14 have no MemAvailable; free memory and the caches
    // the kernel gives back on demand come closest.
    auto available = Find(info, "MemAvailable");
    if (!available) {
        const auto free = Find(info, "MemFree");
        if (free)
            available = SaturatingAdd(SaturatingAdd(*free, Find(info, "Buffers").value_or(0)),
                                      Find(info, "Cached").value_or(0));
    }
    status.availPhys = std::min(available.value_or(0), *total);
    const std::uint64_t used = *total - status.availPhys;
    status.memoryLoad =
        static_cast<std::uint32_t>(std::lround(static_cast<double>(used) * kPercent / static_cast<double>(*total)));

    // The commit limit plays the part of the paging file: what may be
    // promised to processes, and what of it is not promised yet.
    if (const auto limit = Find(info, "CommitLimit")) {
        status.totalPageFile = *limit;
        const auto committed = Find(info, "Committed_AS").value_or(0);
        status.availPageFile = committed < *limit ? *limit - committed : 0;
    }
    return status;
}

std::optional<std::uint64_t> ProcessVirtualSize(std::string_view status) {
    constexpr std::string_view kKey = "VmSize:";
    for (std::string_view line : SplitLines(status)) {
        if (!line.starts_with(kKey)) continue;
        const auto parts = SplitBlanks(line.substr(kKey.size()));
        if (parts.size() != 2 || parts[1] != "kB") return std::nullopt;
        const auto value = ParseDecimal(parts[0]);
        if (!value || *value > UINT64_MAX / kKibibyte) return std::nullopt;
        return *value * kKibibyte;
    }
    return std::nullopt;
}

std::optional<std::vector<Mapping>> ParseMaps(std::string_view text) {
    std::vector<Mapping> mappings;
    for (std::string_view line : SplitLines(text)) {
        if (Trim(line).empty()) continue;
        const auto fields = SplitBlanks(line);
        if (fields.size() < 5) return std::nullopt;
        const auto range = Split(fields[0], '-');
        if (range.size() != 2) return std::nullopt;
        const auto start = ParseHex(range[0]);
        const auto end = ParseHex(range[1]);
        if (!start || !end || *end < *start) return std::nullopt;
        Mapping mapping{*start, *end, {}};
        if (fields.size() > 5) {
            // The name may hold blanks: it is everything after the inode field.
            const std::size_t at = static_cast<std::size_t>(fields[5].data() - line.data());
            mapping.name = std::string(Trim(line.substr(at)));
        }
        mappings.push_back(std::move(mapping));
    }
    return mappings;
}

AddressSpace UserAddressSpace(bool x86_64, const std::vector<Mapping>& mappings) {
    std::uint64_t highest = 0;
    for (const auto& m : mappings)
        if (m.name != "[vsyscall]") highest = std::max(highest, m.end);

    AddressSpace space;
    if (x86_64)
        space.total = (highest > kFourLevelTop ? kFiveLevelTop : kFourLevelTop) - kPageSize;
    else
        space.total = highest <= 1 ? 0 : (highest > (std::uint64_t{1} << 63) ? UINT64_MAX : std::bit_ceil(highest));

    std::uint64_t used = 0;
    for (const auto& m : mappings)
        if (m.name != "[vsyscall]" && m.end <= space.total) used = SaturatingAdd(used, m.end - m.start);
    space.available = used < space.total ? space.total - used : 0;
    return space;
}

}  // namespace platform::linux_backend
