// /proc/asound/pcm and /proc/asound/version: every line the parser keeps is
// a well-formed PCM device, in card and device order, each once.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "platform/linux/parsers/alsa_pcm.h"

namespace pl = platform::linux_backend;

namespace {

constexpr unsigned kLargestNumber = 0xFFFF;

bool Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    return text.empty() || (kBlanks.find(text.front()) == std::string_view::npos &&
                            kBlanks.find(text.back()) == std::string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto devices = pl::ParseAlsaPcm(text);
    FUZZ_CHECK(devices.size() <= size / 8 + 1);  // a kept line has at least "0-0:a : b : capture 0"
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const auto& d = devices[i];
        FUZZ_CHECK(d.card <= kLargestNumber && d.device <= kLargestNumber);
        FUZZ_CHECK(d.playback <= kLargestNumber && d.capture <= kLargestNumber);
        FUZZ_CHECK(Trimmed(d.id) && Trimmed(d.name));
        FUZZ_CHECK(d.name.find('\n') == std::string::npos);
        if (i == 0) continue;
        const auto& p = devices[i - 1];
        FUZZ_CHECK(p.card < d.card || (p.card == d.card && p.device < d.device));
    }
    // The version reader on the same bytes: whatever it finds fits a byte by type.
    (void)pl::ParseAlsaVersion(text);
    return 0;
}
