#include "platform/linux/privacy/binary_identifiers.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "base/bytes.h"
#include "platform/identify_block.h"
#include "platform/linux/parsers/edid.h"

namespace platform::linux_backend {

namespace {

// IDENTIFY data ends with a signature byte and a checksum byte that makes
// all 512 bytes add up to zero, when the signature is A5h.
constexpr std::size_t kIdentifySignature = 510;
constexpr std::size_t kIdentifyChecksum = 511;
constexpr std::uint8_t kChecksumPresent = 0xA5;
// The world wide name, words 108-111, each word's high byte first in the
// name: udev writes it "0x" and sixteen hex digits.
constexpr std::size_t kWwnOffset = 216;
constexpr std::size_t kWwnWords = 4;

// A VPD page: device type, page code, the page's length (big-endian), then the page.
constexpr std::size_t kVpdPageCode = 1;
constexpr std::size_t kVpdPageLength = 2;
constexpr std::size_t kVpdHeader = 4;
constexpr std::uint8_t kUnitSerialPage = 0x80;
constexpr std::uint8_t kAtaInformationPage = 0x89;
constexpr std::size_t kVpd89Identify = 60;

constexpr std::size_t kEdidSerial = 12;
constexpr std::size_t kEdidSerialLength = 4;
constexpr std::size_t kEdidChecksum = 127;
constexpr std::uint8_t kSerialDescriptorTag = 0xFF;
constexpr std::size_t kDescriptorTag = 3;
constexpr std::uint8_t kEdidHeader[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

constexpr std::size_t kCpuidEcx = 8;
constexpr std::size_t kCpuidSerialLength = 8;  // ECX and EDX
constexpr std::size_t kCpuidReply = 16;

// Masks bytes that hold text as the text they hold.
void MaskTextBytes(std::span<std::uint8_t> bytes, const IdentifierMask& mask) {
    std::string text(bytes.begin(), bytes.end());
    mask.Text(text);
    std::copy(text.begin(), text.end(), bytes.begin());
}

std::uint8_t Sum(std::span<const std::uint8_t> bytes) {
    return static_cast<std::uint8_t>(std::accumulate(bytes.begin(), bytes.end(), 0u));
}

// Restores the sum of `block` by changing its checksum byte: a valid
// checksum stays valid, a wrong one stays as wrong as it was.
void KeepSum(std::span<std::uint8_t> block, std::size_t checksum, std::uint8_t before) {
    block[checksum] = static_cast<std::uint8_t>(block[checksum] + before - Sum(block));
}

// Masked as the hex digits udev writes for it, so the name gets one mask in
// both; a drive without one (all zeros) keeps none.
void MaskWorldWideName(std::span<std::uint8_t> words, const IdentifierMask& mask) {
    if (std::all_of(words.begin(), words.end(), [](std::uint8_t b) { return b == 0; })) return;
    constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (std::size_t i = 0; i < words.size(); i += 2)
        for (const std::uint8_t byte : {words[i + 1], words[i]}) {
            hex += kDigits[byte >> 4];
            hex += kDigits[byte & 0xF];
        }
    mask.Hex(hex);
    const auto value = [](char c) { return static_cast<std::uint8_t>(c <= '9' ? c - '0' : c - 'a' + 10); };
    for (std::size_t i = 0; i < words.size(); i += 2) {
        words[i + 1] = static_cast<std::uint8_t>(value(hex[2 * i]) << 4 | value(hex[2 * i + 1]));
        words[i] = static_cast<std::uint8_t>(value(hex[2 * i + 2]) << 4 | value(hex[2 * i + 3]));
    }
}

}  // namespace

void MaskIdentifyData(std::span<std::uint8_t> data, const IdentifierMask& mask) {
    if (data.size() < identify::kLength) return;
    const std::uint8_t sum = Sum(data.first(identify::kLength));
    auto serial = data.subspan(identify::kSerialOffset, identify::kSerialLength);
    for (std::size_t i = 0; i + 1 < serial.size(); i += 2) std::swap(serial[i], serial[i + 1]);
    MaskTextBytes(serial, mask);
    for (std::size_t i = 0; i + 1 < serial.size(); i += 2) std::swap(serial[i], serial[i + 1]);
    MaskWorldWideName(data.subspan(kWwnOffset, kWwnWords * 2), mask);
    if (data[kIdentifySignature] == kChecksumPresent) KeepSum(data.first(identify::kLength), kIdentifyChecksum, sum);
}

void MaskVpdPage(std::span<std::uint8_t> page, const IdentifierMask& mask) {
    if (page.size() < kVpdHeader) return;
    if (page[kVpdPageCode] == kUnitSerialPage) {
        const std::size_t length = std::min<std::size_t>(*base::ReadBe16(page, kVpdPageLength), page.size() - kVpdHeader);
        MaskTextBytes(page.subspan(kVpdHeader, length), mask);
    } else if (page[kVpdPageCode] == kAtaInformationPage && page.size() >= kVpd89Identify + identify::kLength) {
        MaskIdentifyData(page.subspan(kVpd89Identify, identify::kLength), mask);
    }
}

void MaskEdid(std::span<std::uint8_t> edid, const IdentifierMask& mask) {
    if (edid.size() < EdidLayout::kBlockSize ||
        !std::equal(std::begin(kEdidHeader), std::end(kEdidHeader), edid.begin()))
        return;
    auto block = edid.first(EdidLayout::kBlockSize);
    const std::uint8_t sum = Sum(block);
    mask.Binary(block.subspan(kEdidSerial, kEdidSerialLength));
    for (std::size_t n = 0; n < EdidLayout::kDescriptorCount; ++n) {
        auto descriptor =
            block.subspan(EdidLayout::kDescriptors + n * EdidLayout::kDescriptorSize, EdidLayout::kDescriptorSize);
        // A display descriptor starts with three zero bytes, then its tag.
        if (descriptor[0] != 0 || descriptor[1] != 0 || descriptor[2] != 0 ||
            descriptor[kDescriptorTag] != kSerialDescriptorTag)
            continue;
        MaskTextBytes(descriptor.subspan(EdidLayout::kDescriptorText, EdidLayout::kDescriptorTextLength), mask);
    }
    KeepSum(block, kEdidChecksum, sum);
}

void MaskCpuidSerial(std::span<std::uint8_t> reply, const IdentifierMask& mask) {
    if (reply.size() == kCpuidReply) mask.Binary(reply.subspan(kCpuidEcx, kCpuidSerialLength));
}

}  // namespace platform::linux_backend
