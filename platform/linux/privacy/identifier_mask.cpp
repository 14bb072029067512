#include "platform/linux/privacy/identifier_mask.h"

#include <algorithm>

#include "base/bytes.h"

namespace platform::linux_backend {

namespace {

enum SymbolKind : std::uint8_t { kDigit, kLower, kUpper, kHexDigit, kByte };

constexpr std::uint8_t kForwardPass = 'f';
constexpr std::uint8_t kBackwardPass = 'b';
constexpr std::size_t kMacDigits = 12;
constexpr std::size_t kOuiDigits = 6;
// The second digit of a MAC address holds bit 1 (locally administered) and
// bit 0 (group address) of its first byte.
constexpr std::size_t kMacFlagDigit = 1;
constexpr unsigned kLocallyAdministered = 0x2;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The letters of a hex value are written in its own case: upper when it has
// upper-case letters and no lower-case ones.
bool UsesUpperCase(std::span<const char> text) {
    const bool upper = std::any_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'F'; });
    const bool lower = std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'f'; });
    return upper && !lower;
}

char HexDigit(unsigned value, bool upper) {
    constexpr char kLowerDigits[] = "0123456789abcdef";
    constexpr char kUpperDigits[] = "0123456789ABCDEF";
    return (upper ? kUpperDigits : kLowerDigits)[value & 0xF];
}

}  // namespace

// Each pass is invertible on its own (the shift of a symbol depends only on
// symbols the inverse has already recovered), so the two together are a
// permutation of the values of one shape.
void IdentifierMask::Permute(std::vector<Symbol>& symbols) const {
    const auto next = [this](std::uint64_t state, const Symbol& s) {
        base::Bytes input;
        base::AppendLe64(input, state);
        input.push_back(s.value);
        input.push_back(s.kind);
        return KeyedHash(key_, input);
    };
    std::uint64_t state = KeyedHash(key_, std::span<const std::uint8_t>(&kForwardPass, 1));
    for (Symbol& s : symbols) {
        const Symbol original = s;
        s.value = static_cast<std::uint8_t>((s.value + state % s.radix) % s.radix);
        state = next(state, original);
    }
    state = KeyedHash(key_, std::span<const std::uint8_t>(&kBackwardPass, 1));
    for (auto it = symbols.rbegin(); it != symbols.rend(); ++it) {
        const Symbol shifted = *it;
        it->value = static_cast<std::uint8_t>((it->value + state % it->radix) % it->radix);
        state = next(state, shifted);
    }
}

void IdentifierMask::Text(std::span<char> text) const {
    std::vector<Symbol> symbols;
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') symbols.push_back({static_cast<std::uint8_t>(c - '0'), 10, kDigit});
        else if (c >= 'a' && c <= 'z') symbols.push_back({static_cast<std::uint8_t>(c - 'a'), 26, kLower});
        else if (c >= 'A' && c <= 'Z') symbols.push_back({static_cast<std::uint8_t>(c - 'A'), 26, kUpper});
        else continue;
        positions.push_back(i);
    }
    Permute(symbols);
    for (std::size_t n = 0; n < symbols.size(); ++n) {
        const char first = symbols[n].kind == kDigit ? '0' : symbols[n].kind == kLower ? 'a' : 'A';
        text[positions[n]] = static_cast<char>(first + symbols[n].value);
    }
}

void IdentifierMask::HexAt(std::span<char> text, const std::vector<std::size_t>& positions) const {
    std::vector<Symbol> symbols;
    for (const std::size_t i : positions)
        symbols.push_back({static_cast<std::uint8_t>(HexValue(text[i])), 16, kHexDigit});
    Permute(symbols);
    const bool upper = UsesUpperCase(text);
    for (std::size_t n = 0; n < symbols.size(); ++n) text[positions[n]] = HexDigit(symbols[n].value, upper);
}

void IdentifierMask::Hex(std::span<char> text) const {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (HexValue(text[i]) >= 0) positions.push_back(i);
    HexAt(text, positions);
}

void IdentifierMask::Binary(std::span<std::uint8_t> bytes) const {
    if (std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; })) return;
    std::vector<Symbol> symbols;
    for (const std::uint8_t b : bytes) symbols.push_back({b, 256, kByte});
    // Walking the cycle past the all-zero value keeps the mask a permutation
    // of the non-zero values.
    do Permute(symbols);
    while (std::all_of(symbols.begin(), symbols.end(), [](const Symbol& s) { return s.value == 0; }));
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = symbols[i].value;
}

void IdentifierMask::Mac(std::span<char> text) const {
    std::vector<std::size_t> digits;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (HexValue(text[i]) >= 0) digits.push_back(i);
    if (digits.size() != kMacDigits) return Hex(text);
    if (std::all_of(digits.begin(), digits.end(), [&](std::size_t i) { return text[i] == '0'; })) return;
    const auto flags = static_cast<unsigned>(HexValue(text[digits[kMacFlagDigit]]));
    std::vector<std::size_t> masked;
    if (flags & kLocallyAdministered) {
        masked = digits;
        masked.erase(masked.begin() + kMacFlagDigit);
    } else {
        masked.assign(digits.begin() + kOuiDigits, digits.end());
    }
    HexAt(text, masked);
}

}  // namespace platform::linux_backend
