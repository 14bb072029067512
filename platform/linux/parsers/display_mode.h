#pragma once
// One display mode as the display sources (X server, DRM connector, EDID)
// report it, reduced to what the display page shows.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::linux_backend {

struct ScreenMode {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t refresh = 0;  // whole hertz, rounded
    bool current = false;

    bool operator==(const ScreenMode&) const = default;
};

// The display page counts its modes in a signed 16-bit number: a source (the
// X server, a DRM connector, their recorded replies) gives at most this many,
// the first ones in its order, whatever it holds.
inline constexpr std::size_t kMaxScreenModes = 32767;

// Each size and rate once, in the order first seen; a repeat that is the
// current mode marks the one kept. Linear: each mode is looked up once in an
// index of those kept. `comparisons`, when given, counts the modes compared
// on the way (for tests).
std::vector<ScreenMode> WithoutRepeats(const std::vector<ScreenMode>& modes, std::size_t* comparisons = nullptr);

// Pixel clock over the frame's pixels, rounded to whole hertz; 0 for an empty frame.
std::uint32_t RefreshOf(std::uint64_t pixelClockHz, std::uint64_t horizontalTotal, std::uint64_t verticalTotal);

}  // namespace platform::linux_backend
