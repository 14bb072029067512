#pragma once
// What the window's 500 ms refresh reads again and again (memory, lock keys,
// power), with what of it is found once: the size of the address space's
// user part, and the folders of the lock-key LEDs and of the power supplies.
// Each tick then reads the values alone, not the listings.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::linux_backend {

struct LiveSources {
    // From the mappings at the first read: the highest mapping decides it,
    // and nothing later maps above the stack.
    std::optional<std::uint64_t> userAddressSpace;
    // Made again when a listed LED or supply is gone (a keyboard unplugged,
    // a battery taken out).
    std::optional<std::vector<std::string>> lockLeds;
    std::optional<std::vector<std::string>> powerSupplies;
};

}  // namespace platform::linux_backend
