#include "platform/linux/parsers/alsa_pcm.h"

#include <algorithm>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

constexpr std::string_view kFieldSeparator = " : ";
constexpr std::string_view kPlayback = "playback ";
constexpr std::string_view kCapture = "capture ";
constexpr std::string_view kVersionWord = "Version ";
constexpr std::uint64_t kMaxNumber = 0xFFFF;  // card, device and substream counts are far smaller

std::optional<unsigned> SmallNumber(std::string_view text) {
    const auto value = ParseDecimal(Trim(text));
    if (!value || *value > kMaxNumber) return std::nullopt;
    return static_cast<unsigned>(*value);
}

// "CC-DD" before the first colon.
bool ReadAddress(std::string_view address, PcmDevice& pcm) {
    const std::size_t dash = address.find('-');
    if (dash == std::string_view::npos) return false;
    const auto card = SmallNumber(address.substr(0, dash));
    const auto device = SmallNumber(address.substr(dash + 1));
    if (!card || !device) return false;
    pcm.card = *card;
    pcm.device = *device;
    return true;
}

// Strips the trailing " : playback N" and " : capture N" fields, so that an
// id or a name holding " : " or " - " still reads whole.
bool ReadStreams(std::string_view& rest, PcmDevice& pcm) {
    bool any = false;
    for (;;) {
        const std::size_t separator = rest.rfind(kFieldSeparator);
        if (separator == std::string_view::npos) return any;
        const std::string_view field = Trim(rest.substr(separator + kFieldSeparator.size()));
        unsigned* count = nullptr;
        std::string_view digits;
        if (StartsWith(field, kPlayback)) {
            count = &pcm.playback;
            digits = field.substr(kPlayback.size());
        } else if (StartsWith(field, kCapture)) {
            count = &pcm.capture;
            digits = field.substr(kCapture.size());
        } else {
            return any;
        }
        const auto value = SmallNumber(digits);
        if (!value) return false;
        *count = *value;
        any = true;
        rest = rest.substr(0, separator);
    }
}

std::optional<PcmDevice> ReadLine(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    PcmDevice pcm;
    if (!ReadAddress(Trim(line.substr(0, colon)), pcm)) return std::nullopt;
    std::string_view rest = line.substr(colon + 1);
    if (!ReadStreams(rest, pcm)) return std::nullopt;
    const std::size_t separator = rest.find(kFieldSeparator);
    if (separator == std::string_view::npos) return std::nullopt;
    pcm.id = std::string(Trim(rest.substr(0, separator)));
    pcm.name = std::string(Trim(rest.substr(separator + kFieldSeparator.size())));
    return pcm;
}

std::optional<std::uint8_t> VersionPart(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    const auto value = ParseDecimal(digits);
    if (!value || *value > 0xFF) return std::nullopt;
    return static_cast<std::uint8_t>(*value);
}

}  // namespace

std::vector<PcmDevice> ParseAlsaPcm(std::string_view text) {
    std::vector<PcmDevice> devices;
    for (std::string_view line : SplitLines(text)) {
        auto pcm = ReadLine(line);
        if (!pcm) continue;
        const bool seen = std::any_of(devices.begin(), devices.end(), [&](const PcmDevice& d) {
            return d.card == pcm->card && d.device == pcm->device;
        });
        if (!seen) devices.push_back(std::move(*pcm));
    }
    std::stable_sort(devices.begin(), devices.end(), [](const PcmDevice& a, const PcmDevice& b) {
        return a.card != b.card ? a.card < b.card : a.device < b.device;
    });
    return devices;
}

std::optional<AlsaVersion> ParseAlsaVersion(std::string_view text) {
    const std::size_t word = text.find(kVersionWord);
    if (word == std::string_view::npos) return std::nullopt;
    std::string_view version = text.substr(word + kVersionWord.size());
    if (StartsWith(version, "k")) version.remove_prefix(1);
    const auto digitsEnd = [](std::string_view s) {
        return static_cast<std::size_t>(std::find_if(s.begin(), s.end(), [](char c) { return c < '0' || c > '9'; }) -
                                        s.begin());
    };
    const std::size_t majorEnd = digitsEnd(version);
    if (majorEnd >= version.size() || version[majorEnd] != '.') return std::nullopt;
    const std::string_view rest = version.substr(majorEnd + 1);
    const auto major = VersionPart(version.substr(0, majorEnd));
    const auto minor = VersionPart(rest.substr(0, digitsEnd(rest)));
    if (!major || !minor) return std::nullopt;
    return AlsaVersion{*major, *minor};
}

}  // namespace platform::linux_backend
