#pragma once
// Sound devices from ALSA's /proc/asound, which every user may read and which
// opens no device. /proc/asound/pcm has one line per PCM device:
//
//     00-00: ALC892 Analog : ALC892 Analog : playback 1 : capture 1
//
// card and device number, the PCM's id, its name, and a playback and/or a
// capture field with the number of substreams. Lines need not come in card
// and device order. /proc/asound/version names the driver version:
// "Advanced Linux Sound Architecture Driver Version k6.1.0-18-amd64." (the
// "k" form is the ALSA inside the kernel) or "... Version 1.0.16.".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::linux_backend {

struct PcmDevice {
    unsigned card = 0;
    unsigned device = 0;
    std::string id;
    std::string name;
    unsigned playback = 0;  // substreams
    unsigned capture = 0;
};

// Every well-formed line, sorted by card and device; a card and device that
// appears twice keeps its first line. Malformed lines are left out.
std::vector<PcmDevice> ParseAlsaPcm(std::string_view text);

struct AlsaVersion {
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
};

// Major and minor of the driver version; nothing when the file names none or
// a part does not fit a byte.
std::optional<AlsaVersion> ParseAlsaVersion(std::string_view text);

}  // namespace platform::linux_backend
