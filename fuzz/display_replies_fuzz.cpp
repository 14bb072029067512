// Recorded display replies: the DRM connector's mode records and display
// pipe (channel "drm"), and the RandR screen (channel "x11").

#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "platform/linux/io/drm_modes.h"
#include "platform/linux/io/randr_screen.h"

namespace pl = platform::linux_backend;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const pl::Bytes reply(data, data + size);
    if (const auto modes = pl::DecodeDrmModes(reply)) FUZZ_CHECK(modes->size() * pl::DrmModeInfoLayout::kSize == size);
    if (const auto mode = pl::DecodeDrmCrtc(reply)) FUZZ_CHECK(mode->current && size == pl::DrmCrtcLayout::kSize);
    if (const auto screen = pl::DecodeRandrScreen(reply)) {
        FUZZ_CHECK(1 + screen->modes.size() * pl::randr::kModeSize == size);
        FUZZ_CHECK(pl::EncodeRandrScreen(*screen) == reply);
    }
    return 0;
}
