// The recorded form of the RandR screen (randr_screen.h), apart from the
// X connection that asks for it.
#include "platform/linux/io/randr_screen.h"

#include <algorithm>

#include "base/bytes.h"

namespace platform::linux_backend {

Bytes EncodeRandrScreen(const RandrScreen& screen) {
    using randr::ModeLayout;
    Bytes out(randr::kFirstMode + screen.modes.size() * ModeLayout::kSize, 0);
    out[randr::kDepth] = screen.bitsPerPixel;
    std::size_t at = randr::kFirstMode;
    for (const auto& mode : screen.modes) {
        base::WriteLe16(out, at + ModeLayout::kWidth, static_cast<std::uint16_t>(mode.width));
        base::WriteLe16(out, at + ModeLayout::kHeight, static_cast<std::uint16_t>(mode.height));
        base::WriteLe32(out, at + ModeLayout::kRefresh, mode.refresh);
        out[at + ModeLayout::kCurrent] = mode.current ? 1 : 0;
        at += ModeLayout::kSize;
    }
    return out;
}

std::optional<RandrScreen> DecodeRandrScreen(const Bytes& reply) {
    using randr::ModeLayout;
    if (reply.empty() || (reply.size() - randr::kFirstMode) % ModeLayout::kSize != 0) return std::nullopt;
    RandrScreen screen;
    screen.bitsPerPixel = reply[randr::kDepth];
    const std::size_t count = std::min((reply.size() - randr::kFirstMode) / ModeLayout::kSize, kMaxScreenModes);
    screen.modes.reserve(count);
    for (std::size_t at = randr::kFirstMode; at < randr::kFirstMode + count * ModeLayout::kSize;
         at += ModeLayout::kSize) {
        if (reply[at + ModeLayout::kCurrent] > 1) return std::nullopt;
        screen.modes.push_back(
            {*base::ReadLe16(reply, at + ModeLayout::kWidth), *base::ReadLe16(reply, at + ModeLayout::kHeight),
             *base::ReadLe32(reply, at + ModeLayout::kRefresh), reply[at + ModeLayout::kCurrent] == 1});
    }
    return screen;
}

}  // namespace platform::linux_backend
