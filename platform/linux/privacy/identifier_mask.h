#pragma once
// The mask of one identifier: a keyed, repeatable replacement of the same
// length and the same kind of characters, so that every parser that took the
// identifier takes its mask (a hex digit stays a hex digit, a letter a letter
// of the same case, a digit a digit; blanks, separators and bytes outside
// ASCII stay where they are).
//
// A mask is a permutation of the identifiers of one shape: two passes over
// the maskable characters, the first shifting each one by a keyed hash of
// the characters before it, the second by one of the characters after it.
// So the same value always gets the same mask (in this run, in a capture, in
// a later report), two different values never get the same mask, and two
// values that share a prefix or a suffix do not share it masked. The mask
// depends only on the maskable characters, not on blanks or separators
// around them: a serial number padded in one place and trimmed in another
// gets the same mask in both.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/linux/privacy/keyed_hash.h"

namespace platform::linux_backend {

class IdentifierMask {
public:
    explicit IdentifierMask(HashKey key) : key_(key) {}

    // Serial numbers, user names, host names: ASCII letters and digits.
    void Text(std::span<char> text) const;
    // UUIDs, WWNs, hexadecimal serials: the hex digits, letters written in
    // the case the value uses (lower case when it has no letters).
    void Hex(std::span<char> text) const;
    // A number stored as bytes (a monitor's 32-bit serial): every byte may
    // change; zero (no serial) stays zero and nothing else becomes zero.
    void Binary(std::span<std::uint8_t> bytes) const;
    // A MAC address of twelve hex digits with any separators. The
    // manufacturer's prefix (the first three bytes) of a universally
    // administered address is kept; a locally administered (random) address
    // is masked whole except the second digit, which holds the
    // local and group bits. All zeros stays. Anything not of twelve digits
    // is masked as Hex.
    void Mac(std::span<char> text) const;

private:
    struct Symbol {
        std::uint8_t value;
        std::uint16_t radix;
        std::uint8_t kind;  // what is hashed besides the value: which alphabet it came from
    };
    void Permute(std::vector<Symbol>& symbols) const;
    void HexAt(std::span<char> text, const std::vector<std::size_t>& positions) const;

    HashKey key_;
};

}  // namespace platform::linux_backend
