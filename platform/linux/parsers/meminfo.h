#pragma once
// Memory: /proc/meminfo for the machine, /proc/self/maps for the user part
// of this process's address space, /proc/self/status for how much of it the
// process uses.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/machine.h"

namespace platform::linux_backend {

// "Name:   value kB" lines in bytes. Lines that do not have that form are
// left out; a value is taken only when all of it is a number.
std::map<std::string, std::uint64_t, std::less<>> ParseMeminfo(std::string_view text);

// Physical memory and the commit limit with their free parts, and the load
// (the rounded percentage of physical memory in use). Nothing when MemTotal
// is missing or zero. The address-space fields stay 0.
std::optional<MemoryStatusEx> MemoryStatusFromMeminfo(const std::map<std::string, std::uint64_t, std::less<>>& info);

// The size of this process's mappings, the "VmSize:" line of
// /proc/self/status, in bytes: the sum of what ParseMaps lists, [vsyscall]
// left out. Nothing without that line or with a value that is not a number.
std::optional<std::uint64_t> ProcessVirtualSize(std::string_view status);

struct Mapping {
    std::uint64_t start = 0;
    std::uint64_t end = 0;  // one past the last byte
    std::string name;       // path or "[stack]", "[vsyscall]", ...; may be empty
};
// Nothing when a line is not "start-end perms offset dev inode [name]".
std::optional<std::vector<Mapping>> ParseMaps(std::string_view text);

struct AddressSpace {
    std::uint64_t total = 0;
    std::uint64_t available = 0;
};
// On x86-64 the user part ends one page below 2^47 with four-level paging,
// or one page below 2^56 when a mapping lies above 2^47 (five-level paging).
// Elsewhere it is taken as the smallest power of two that holds every
// mapping. The free part is what the mappings leave; [vsyscall] lies
// outside the user part and does not count.
AddressSpace UserAddressSpace(bool x86_64, const std::vector<Mapping>& mappings);

}  // namespace platform::linux_backend
