#pragma once
// The modes of a DRM connector and the mode its display pipe shows, as the
// kernel's mode-setting requests return them (the connector's probed modes,
// and the CRTC that its encoder drives). Recorded as channel "drm":
//   <connector>.modes  the struct drm_mode_modeinfo records, 68 bytes each
//   <connector>.crtc   the struct drm_mode_crtc record of its display pipe
// The card is only asked, never set, and no probe of the monitor is forced.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "platform/linux/parsers/display_mode.h"

namespace platform::linux_backend {

using base::Bytes;

namespace drm {
inline constexpr std::string_view kChannel = "drm";
inline constexpr std::string_view kModesSuffix = ".modes";
inline constexpr std::string_view kCrtcSuffix = ".crtc";
}  // namespace drm

// struct drm_mode_modeinfo.
struct DrmModeInfoLayout {
    static constexpr std::size_t kSize = 68;
    static constexpr std::size_t kClock = 0;  // kHz
    static constexpr std::size_t kHDisplay = 4;
    static constexpr std::size_t kHTotal = 10;
    static constexpr std::size_t kVDisplay = 14;
    static constexpr std::size_t kVTotal = 20;
    static constexpr std::size_t kVScan = 22;
    static constexpr std::size_t kVRefresh = 24;
    static constexpr std::size_t kFlags = 28;
    static constexpr std::uint32_t kInterlace = 1u << 4;
    static constexpr std::uint32_t kDoubleScan = 1u << 5;
};
// struct drm_mode_crtc: the mode follows the pipe's numbers.
struct DrmCrtcLayout {
    static constexpr std::size_t kSize = 104;
    static constexpr std::size_t kModeValid = 32;
    static constexpr std::size_t kMode = 36;
};

// The modes of a ".modes" reply; nothing unless it is whole records.
std::optional<std::vector<ScreenMode>> DecodeDrmModes(const Bytes& reply);
// The mode a ".crtc" reply shows; nothing when the pipe shows none.
std::optional<ScreenMode> DecodeDrmCrtc(const Bytes& reply);

// Ask the card (/dev/dri/card<N>) about the connector with the kernel id
// `connectorId`; this machine only.
std::optional<Bytes> LiveDrmModes(const std::string& cardNode, std::uint32_t connectorId);
std::optional<Bytes> LiveDrmCrtc(const std::string& cardNode, std::uint32_t connectorId);

}  // namespace platform::linux_backend
