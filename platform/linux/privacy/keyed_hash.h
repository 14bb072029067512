#pragma once
// SipHash-2-4: a keyed 64-bit hash of short inputs. Whoever does not hold
// the 128-bit key cannot compute it, so a mask derived from it cannot be
// reversed by trying every value of a small space (docs/captures.md,
// "Privacy").

#include <cstdint>
#include <span>
#include <string_view>

namespace platform::linux_backend {

struct HashKey {
    std::uint64_t k0 = 0;
    std::uint64_t k1 = 0;
};

std::uint64_t KeyedHash(const HashKey& key, std::span<const std::uint8_t> message);
std::uint64_t KeyedHash(const HashKey& key, std::string_view message);

}  // namespace platform::linux_backend
