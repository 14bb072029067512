// The recorded form of the RandR screen (randr_screen.h), apart from the
// X connection that asks for it.
#include "platform/linux/io/randr_screen.h"

#include "base/bytes.h"

namespace platform::linux_backend {

Bytes EncodeRandrScreen(const RandrScreen& screen) {
    using L = randr::ModeLayout;
    Bytes out(randr::kFirstMode + screen.modes.size() * L::kSize, 0);
    out[randr::kDepth] = screen.bitsPerPixel;
    std::size_t at = randr::kFirstMode;
    for (const auto& mode : screen.modes) {
        base::WriteLe16(out, at + L::kWidth, static_cast<std::uint16_t>(mode.width));
        base::WriteLe16(out, at + L::kHeight, static_cast<std::uint16_t>(mode.height));
        base::WriteLe32(out, at + L::kRefresh, mode.refresh);
        out[at + L::kCurrent] = mode.current ? 1 : 0;
        at += L::kSize;
    }
    return out;
}

std::optional<RandrScreen> DecodeRandrScreen(const Bytes& reply) {
    using L = randr::ModeLayout;
    if (reply.empty() || (reply.size() - randr::kFirstMode) % L::kSize != 0) return std::nullopt;
    RandrScreen screen;
    screen.bitsPerPixel = reply[randr::kDepth];
    for (std::size_t at = randr::kFirstMode; at < reply.size(); at += L::kSize) {
        if (reply[at + L::kCurrent] > 1) return std::nullopt;
        screen.modes.push_back({*base::ReadLe16(reply, at + L::kWidth), *base::ReadLe16(reply, at + L::kHeight),
                                *base::ReadLe32(reply, at + L::kRefresh), reply[at + L::kCurrent] == 1});
    }
    return screen;
}

}  // namespace platform::linux_backend
