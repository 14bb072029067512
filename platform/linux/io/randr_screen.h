#pragma once
// The modes of the screen in use as the X server's RandR extension lists
// them: the modes of the primary output (else the first output that shows
// something), the one its CRTC shows, and the screen's bits per pixel.
// Recorded as channel "x11", request "randr-modes":
//   byte 0       bits per pixel of the root window's depth (32 for depth 24)
//   then 9 bytes a mode: width and height (16-bit), refresh in hertz
//   (32-bit, little-endian), 1 when it is the mode shown, else 0.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "platform/linux/parsers/display_mode.h"

namespace platform::linux_backend {

using base::Bytes;

namespace randr {
inline constexpr std::string_view kModes = "randr-modes";
// The recorded reply: the depth byte, then one record per mode.
inline constexpr std::size_t kDepth = 0;
inline constexpr std::size_t kFirstMode = 1;
struct ModeLayout {
    static constexpr std::size_t kWidth = 0;    // 16-bit little-endian
    static constexpr std::size_t kHeight = 2;   // 16-bit little-endian
    static constexpr std::size_t kRefresh = 4;  // 32-bit little-endian, hertz
    static constexpr std::size_t kCurrent = 8;  // 1 for the mode in use, else 0
    static constexpr std::size_t kSize = 9;
};
inline constexpr std::size_t kModeSize = ModeLayout::kSize;
}  // namespace randr

struct RandrScreen {
    std::uint8_t bitsPerPixel = 0;
    std::vector<ScreenMode> modes;
};

Bytes EncodeRandrScreen(const RandrScreen& screen);
// Nothing unless the reply is the depth byte and whole mode records.
std::optional<RandrScreen> DecodeRandrScreen(const Bytes& reply);

// Asks the server of `display`; nothing without a server or without RandR.
std::optional<Bytes> LiveRandrScreen(const std::string& display);

}  // namespace platform::linux_backend
