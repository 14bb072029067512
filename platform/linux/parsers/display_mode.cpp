#include "platform/linux/parsers/display_mode.h"

#include <functional>
#include <unordered_map>

namespace platform::linux_backend {

namespace {

struct ModeHash {
    std::size_t operator()(const ScreenMode& mode) const {
        const std::uint64_t size = std::uint64_t{mode.width} << 32 | mode.height;
        return std::hash<std::uint64_t>{}(size * 0x9E3779B97F4A7C15ull ^ mode.refresh);
    }
};

// Equal size and rate; whether a mode is current does not make it another.
struct SameMode {
    std::size_t* comparisons = nullptr;
    bool operator()(const ScreenMode& a, const ScreenMode& b) const {
        if (comparisons) ++*comparisons;
        return a.width == b.width && a.height == b.height && a.refresh == b.refresh;
    }
};

}  // namespace

std::vector<ScreenMode> WithoutRepeats(const std::vector<ScreenMode>& modes, std::size_t* comparisons) {
    std::vector<ScreenMode> kept;
    std::unordered_map<ScreenMode, std::size_t, ModeHash, SameMode> index(modes.size(), ModeHash{},
                                                                          SameMode{comparisons});
    for (const auto& mode : modes) {
        const auto [at, added] = index.try_emplace(mode, kept.size());
        if (added)
            kept.push_back(mode);
        else
            kept[at->second].current = kept[at->second].current || mode.current;
    }
    return kept;
}

std::uint32_t RefreshOf(std::uint64_t pixelClockHz, std::uint64_t horizontalTotal, std::uint64_t verticalTotal) {
    const std::uint64_t pixels = horizontalTotal * verticalTotal;
    if (pixels == 0) return 0;
    return static_cast<std::uint32_t>((pixelClockHz + pixels / 2) / pixels);
}

}  // namespace platform::linux_backend
