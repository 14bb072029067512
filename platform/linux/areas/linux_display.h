#pragma once
// The display on Linux. Adapters are the DRM cards in card order, the
// primary one the card the firmware booted on (drm_cards.h); an adapter is
// named from the PCI ID database, or by its driver. Its monitor is the first
// connected connector, named from its EDID. The modes are those of the screen
// in use: from the X server (RandR) when there is one, else from the
// connector (DRM), else the EDID's timings; the current mode comes from the
// same source. Each mode is listed once, at the screen's colour depth.

#include <optional>
#include <string>
#include <vector>

#include "platform/display_services.h"
#include "platform/linux/parsers/display_mode.h"
#include "platform/linux/areas/drm_cards.h"
#include "platform/linux/areas/id_databases.h"
#include "platform/linux/areas/linux_context.h"
#include "platform/linux/io/replies.h"
#include "platform/linux/io/root_fs.h"

namespace platform::linux_backend {

class LinuxDisplay final : public DisplayServices {
public:
    explicit LinuxDisplay(LinuxContext& context)
        : fs_(context.fs), replies_(*context.replies), ids_(context.Ids()), display_(context.session.display) {}

    bool EnumDisplayDevices(std::optional<std::string_view> device, std::uint32_t index,
                            std::span<std::uint8_t> record) override;
    bool EnumDisplaySettings(std::optional<std::string_view> device, std::uint32_t mode,
                             std::span<std::uint8_t> record) override;
    display::DeviceContext GetDC() override;
    int GetDeviceCaps(display::DeviceContext dc, int index) override;
    void ReleaseDC(display::DeviceContext dc) override;

    // Depth 24 is stored in 32-bit pixels; it is what DRM framebuffers and
    // monitors without an X server show.
    static constexpr std::uint8_t kDefaultBitsPerPixel = 32;

private:
    struct Adapter {
        std::string deviceName;   // "\\.\DISPLAY1"
        std::string description;  // UTF-8
        bool primary = false;
        std::optional<std::string> connector;  // the first connected one
    };
    struct Screen {
        std::uint8_t bitsPerPixel = kDefaultBitsPerPixel;
        std::vector<ScreenMode> modes;
        std::optional<ScreenMode> current;
    };

    const std::vector<Adapter>& Adapters();
    const Screen& TheScreen();
    bool FromRandr(Screen& screen);
    bool FromConnector(const std::string& card, const std::string& connector, Screen& screen);
    std::optional<std::string> MonitorName(const std::string& connector);
    Bytes Edid(const std::string& connector) const;

    const RootFs& fs_;
    ReplySource& replies_;
    IdDatabases& ids_;
    std::string display_;  // the X server of the session, "" for none
    std::optional<std::vector<Adapter>> adapters_;
    std::optional<Screen> screen_;
};

}  // namespace platform::linux_backend
