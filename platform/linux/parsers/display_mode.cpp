#include "platform/linux/parsers/display_mode.h"

namespace platform::linux_backend {

std::vector<ScreenMode> WithoutRepeats(const std::vector<ScreenMode>& modes) {
    std::vector<ScreenMode> kept;
    for (const auto& mode : modes) {
        bool repeat = false;
        for (auto& known : kept) {
            if (known.width == mode.width && known.height == mode.height && known.refresh == mode.refresh) {
                known.current = known.current || mode.current;
                repeat = true;
                break;
            }
        }
        if (!repeat) kept.push_back(mode);
    }
    return kept;
}

std::uint32_t RefreshOf(std::uint64_t pixelClockHz, std::uint64_t horizontalTotal, std::uint64_t verticalTotal) {
    const std::uint64_t pixels = horizontalTotal * verticalTotal;
    if (pixels == 0) return 0;
    return static_cast<std::uint32_t>((pixelClockHz + pixels / 2) / pixels);
}

}  // namespace platform::linux_backend
