// The recorded form of the RandR screen (randr_screen.h), apart from the
// X connection that asks for it.
#include "platform/linux/io/randr_screen.h"

#include "platform/linux/io/replies.h"

namespace platform::linux_backend {

Bytes EncodeRandrScreen(const RandrScreen& screen) {
    Bytes out{screen.bitsPerPixel};
    for (const auto& mode : screen.modes) {
        AppendLe16(out, static_cast<std::uint16_t>(mode.width));
        AppendLe16(out, static_cast<std::uint16_t>(mode.height));
        AppendLe32(out, mode.refresh);
        out.push_back(mode.current ? 1 : 0);
    }
    return out;
}

std::optional<RandrScreen> DecodeRandrScreen(const Bytes& reply) {
    if (reply.empty() || (reply.size() - 1) % randr::kModeSize != 0) return std::nullopt;
    RandrScreen screen;
    screen.bitsPerPixel = reply[0];
    for (std::size_t at = 1; at < reply.size(); at += randr::kModeSize) {
        if (reply[at + 8] > 1) return std::nullopt;
        screen.modes.push_back({*ReadLe16(reply, at), *ReadLe16(reply, at + 2), *ReadLe32(reply, at + 4),
                                reply[at + 8] == 1});
    }
    return screen;
}

}  // namespace platform::linux_backend
