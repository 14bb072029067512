#include "platform/linux/privacy/keyed_hash.h"

#include <bit>

#include "base/bytes.h"

namespace platform::linux_backend {

namespace {

// The initial state: the key mixed with the four constants of the design
// ("somepseudorandomlygeneratedbytes").
constexpr std::uint64_t kInit0 = 0x736f6d6570736575ULL;
constexpr std::uint64_t kInit1 = 0x646f72616e646f6dULL;
constexpr std::uint64_t kInit2 = 0x6c7967656e657261ULL;
constexpr std::uint64_t kInit3 = 0x7465646279746573ULL;
constexpr int kCompressionRounds = 2;
constexpr int kFinalRounds = 4;
constexpr std::size_t kWord = 8;

struct State {
    std::uint64_t v0, v1, v2, v3;

    void Round() {
        v0 += v1; v1 = std::rotl(v1, 13); v1 ^= v0; v0 = std::rotl(v0, 32);
        v2 += v3; v3 = std::rotl(v3, 16); v3 ^= v2;
        v0 += v3; v3 = std::rotl(v3, 21); v3 ^= v0;
        v2 += v1; v1 = std::rotl(v1, 17); v1 ^= v2; v2 = std::rotl(v2, 32);
    }
    void Absorb(std::uint64_t word) {
        v3 ^= word;
        for (int i = 0; i < kCompressionRounds; ++i) Round();
        v0 ^= word;
    }
};

}  // namespace

std::uint64_t KeyedHash(const HashKey& key, std::span<const std::uint8_t> message) {
    State s{key.k0 ^ kInit0, key.k1 ^ kInit1, key.k0 ^ kInit2, key.k1 ^ kInit3};
    const std::size_t whole = message.size() / kWord * kWord;
    for (std::size_t at = 0; at < whole; at += kWord) s.Absorb(*base::ReadLe64(message, at));
    // The last word: the bytes left over, and the message length in the top byte.
    std::uint8_t last[kWord] = {};
    for (std::size_t i = whole; i < message.size(); ++i) last[i - whole] = message[i];
    last[kWord - 1] = static_cast<std::uint8_t>(message.size());
    s.Absorb(*base::ReadLe64(last, 0));
    s.v2 ^= 0xff;
    for (int i = 0; i < kFinalRounds; ++i) s.Round();
    return s.v0 ^ s.v1 ^ s.v2 ^ s.v3;
}

std::uint64_t KeyedHash(const HashKey& key, std::string_view message) {
    return KeyedHash(key, base::BytesOf(message));
}

}  // namespace platform::linux_backend
