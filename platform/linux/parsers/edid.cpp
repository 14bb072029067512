#include "platform/linux/parsers/edid.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "base/bytes.h"

namespace platform::linux_backend {

namespace {

constexpr std::array<std::uint8_t, EdidLayout::kHeaderSize> kHeader{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

// Byte 35 bits 7..0, byte 36 bits 7..0, byte 37 bit 7 (the manufacturer's
// reserved bits 6..0 of byte 37 carry no size).
constexpr std::array<EstablishedTiming, 17> kEstablished{{
    {720, 400, 70}, {720, 400, 88}, {640, 480, 60}, {640, 480, 67}, {640, 480, 72}, {640, 480, 75},
    {800, 600, 56}, {800, 600, 60}, {800, 600, 72}, {800, 600, 75}, {832, 624, 75}, {1024, 768, 87},
    {1024, 768, 60}, {1024, 768, 70}, {1024, 768, 75}, {1280, 1024, 75}, {1152, 870, 75},
}};

constexpr std::uint8_t kUnusedStandardTiming = 0x01;
constexpr std::uint32_t kPixelClockUnit = 10000;  // hertz per count
constexpr std::uint8_t kInterlacedFlag = 0x80;

void AddOnce(std::vector<EdidTiming>& timings, EdidTiming timing) {
    for (const auto& known : timings)
        if (known.width == timing.width && known.height == timing.height &&
            std::lround(known.refresh) == std::lround(timing.refresh))
            return;
    timings.push_back(timing);
}

// An 18-byte detailed timing descriptor: sizes of 12 bits, each with its low
// eight bits in a byte of its own and its high four in a nibble of a byte it
// shares with the next size (upper nibble: active, lower: blanking).
struct DetailedTiming {
    static constexpr std::size_t kPixelClock = 0;  // little-endian, in units of 10 kHz
    static constexpr std::size_t kHorizontalActive = 2;
    static constexpr std::size_t kHorizontalBlank = 3;
    static constexpr std::size_t kHorizontalHighNibbles = 4;
    static constexpr std::size_t kVerticalActive = 5;
    static constexpr std::size_t kVerticalBlank = 6;
    static constexpr std::size_t kVerticalHighNibbles = 7;
    static constexpr std::size_t kFlags = 17;
};

std::uint32_t WithUpperNibble(std::uint8_t low, std::uint8_t nibbles) { return low | (nibbles & 0xF0u) << 4; }
std::uint32_t WithLowerNibble(std::uint8_t low, std::uint8_t nibbles) { return low | (nibbles & 0x0Fu) << 8; }

void ReadDetailedTiming(std::span<const std::uint8_t> d, std::vector<EdidTiming>& timings) {
    const std::uint32_t clock = *base::ReadLe16(d, DetailedTiming::kPixelClock);
    const std::uint8_t horizontalNibbles = d[DetailedTiming::kHorizontalHighNibbles];
    const std::uint8_t verticalNibbles = d[DetailedTiming::kVerticalHighNibbles];
    const std::uint32_t hActive = WithUpperNibble(d[DetailedTiming::kHorizontalActive], horizontalNibbles);
    const std::uint32_t hBlank = WithLowerNibble(d[DetailedTiming::kHorizontalBlank], horizontalNibbles);
    std::uint32_t vActive = WithUpperNibble(d[DetailedTiming::kVerticalActive], verticalNibbles);
    const std::uint32_t vBlank = WithLowerNibble(d[DetailedTiming::kVerticalBlank], verticalNibbles);
    const std::uint32_t total = (hActive + hBlank) * (vActive + vBlank);
    if (hActive == 0 || vActive == 0 || total == 0) return;
    EdidTiming timing;
    timing.refresh = static_cast<double>(clock) * kPixelClockUnit / total;
    // An interlaced timing gives one field's lines; the frame has twice as many.
    if (d[DetailedTiming::kFlags] & kInterlacedFlag) vActive *= 2;
    timing.width = hActive;
    timing.height = vActive;
    timing.preferred = timings.empty();
    AddOnce(timings, timing);
}

void ReadStandardTiming(std::uint8_t first, std::uint8_t second, std::uint8_t version, std::uint8_t revision,
                        std::vector<EdidTiming>& timings) {
    if ((first == kUnusedStandardTiming && second == kUnusedStandardTiming) || first == 0) return;
    const std::uint32_t width = (first + 31u) * 8u;
    std::uint32_t height = 0;
    switch (second >> 6) {
    case 0:  // 16:10 from version 1.3 on, 1:1 before
        height = (version > 1 || revision >= 3) ? width * 10 / 16 : width;
        break;
    case 1: height = width * 3 / 4; break;
    case 2: height = width * 4 / 5; break;
    default: height = width * 9 / 16; break;
    }
    AddOnce(timings, {width, height, static_cast<double>((second & 0x3F) + 60), false});
}

}  // namespace

std::span<const EstablishedTiming> EstablishedTimings() { return kEstablished; }

std::string EdidInfo::DisplayName() const {
    if (!productName.empty()) return productName;
    if (manufacturer.empty()) return {};
    char code[5];
    std::snprintf(code, sizeof code, "%04X", productCode);
    return manufacturer + code;
}

EdidInfo ParseEdid(std::span<const std::uint8_t> bytes) {
    EdidInfo info;
    if (bytes.size() > EdidLayout::kBlockSize)
        bytes = bytes.first(EdidLayout::kBlockSize);  // extension blocks are not read
    const auto has = [&](std::size_t offset, std::size_t size) { return bytes.size() >= offset + size; };

    info.headerValid = has(0, EdidLayout::kHeaderSize) && std::equal(kHeader.begin(), kHeader.end(), bytes.begin());
    if (bytes.size() == EdidLayout::kBlockSize) {
        unsigned sum = 0;
        for (const auto b : bytes) sum += b;
        info.checksumValid = (sum & 0xFF) == 0;
    }
    if (const auto packed = base::ReadBe16(bytes, EdidLayout::kManufacturer)) {
        for (const int shift : {10, 5, 0}) {
            const unsigned letter = (*packed >> shift) & 0x1F;
            info.manufacturer += (letter >= 1 && letter <= 26) ? static_cast<char>('A' + letter - 1) : '?';
        }
    }
    info.productCode = base::ReadLe16(bytes, EdidLayout::kProductCode).value_or(0);
    const std::uint8_t version = has(EdidLayout::kVersion, 1) ? bytes[EdidLayout::kVersion] : 0;
    const std::uint8_t revision = has(EdidLayout::kRevision, 1) ? bytes[EdidLayout::kRevision] : 0;

    for (std::size_t i = 0; i < EdidLayout::kDescriptorCount; ++i) {
        const std::size_t offset = EdidLayout::kDescriptors + i * EdidLayout::kDescriptorSize;
        if (!has(offset, EdidLayout::kDescriptorSize)) break;
        const auto d = bytes.subspan(offset, EdidLayout::kDescriptorSize);
        if (d[0] != 0 || d[1] != 0) {
            ReadDetailedTiming(d, info.timings);
        } else if (d[3] == EdidLayout::kProductNameTag && info.productName.empty()) {
            std::string text;
            for (std::size_t k = 0; k < EdidLayout::kDescriptorTextLength; ++k) {
                const auto c = d[EdidLayout::kDescriptorText + k];
                if (c == 0x0A || c == 0) break;
                // Monitors send printable ASCII; anything else would only garble the text.
                text += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
            }
            while (!text.empty() && text.back() == ' ') text.pop_back();
            info.productName = text;
        }
    }
    for (std::size_t i = 0; i < EdidLayout::kStandardTimingCount; ++i) {
        const std::size_t offset = EdidLayout::kStandardTimings + 2 * i;
        if (!has(offset, 2)) break;
        ReadStandardTiming(bytes[offset], bytes[offset + 1], version, revision, info.timings);
    }
    if (has(EdidLayout::kEstablishedTimings, 3)) {
        for (std::size_t bit = 0; bit < kEstablished.size(); ++bit) {
            const std::uint8_t flags = bytes[EdidLayout::kEstablishedTimings + bit / 8];
            if (flags & (0x80 >> (bit % 8))) {
                const auto& e = kEstablished[bit];
                AddOnce(info.timings, {e.width, e.height, static_cast<double>(e.refresh), false});
            }
        }
    }
    return info;
}

}  // namespace platform::linux_backend
