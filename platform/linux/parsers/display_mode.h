#pragma once
// One display mode as the display sources (X server, DRM connector, EDID)
// report it, reduced to what the display page shows.

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

// Each size and rate once, in the order first seen; a repeat that is the
// current mode marks the one kept.
std::vector<ScreenMode> WithoutRepeats(const std::vector<ScreenMode>& modes);

// Pixel clock over the frame's pixels, rounded to whole hertz; 0 for an empty frame.
std::uint32_t RefreshOf(std::uint64_t pixelClockHz, std::uint64_t horizontalTotal, std::uint64_t verticalTotal);

}  // namespace platform::linux_backend
