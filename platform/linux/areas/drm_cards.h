#pragma once
// Graphics cards and their connectors as the kernel's DRM class shows them:
// /sys/class/drm/card<N> is a card (its "device" the PCI function, whose
// boot_vga says which card the firmware showed the boot screen on), and
// /sys/class/drm/card<N>-<type>-<n> a connector with its "status" and the
// monitor's "edid".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/io/root_fs.h"

namespace platform::linux_backend {

inline constexpr std::string_view kDrmClass = "/sys/class/drm";

struct DrmConnector {
    std::string name;  // "card0-HDMI-A-1"
    bool connected = false;
};

struct DrmCard {
    std::string name;  // "card0"
    std::uint32_t number = 0;
    bool bootVga = false;
    std::vector<DrmConnector> connectors;  // in name order
};

// The cards in card order; render nodes and connectors are not cards.
std::vector<DrmCard> ListDrmCards(const RootFs& fs);

// The card number of "card12"; nothing for "card0-DP-1", "renderD128" and the like.
std::optional<std::uint32_t> DrmCardNumber(std::string_view name);

// The card the screen is on: the one the firmware booted on, else the first.
std::optional<std::size_t> PrimaryCard(const std::vector<DrmCard>& cards);

}  // namespace platform::linux_backend
