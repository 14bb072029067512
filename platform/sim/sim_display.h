#pragma once
// The display of a simulated machine (section "display"): the adapters with
// their monitors, the display modes of the current display device, and the
// screen's current settings as its device capabilities report them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "platform/display_services.h"
#include "platform/sim/sim_reader.h"

namespace platform::sim {

struct SimAreas;

class SimDisplay final : public DisplayServices {
public:
    struct Adapter {
        std::string name;         // "\\.\DISPLAY1"
        std::string description;  // in the machine's code page
        bool primary = false;
        std::vector<std::string> monitors;
    };
    // Numbers as the platform reports them: 32-bit, so that values too large
    // for the collector's fields can be written.
    struct Mode {
        std::uint32_t width = 0, height = 0, bits = 0, refresh = 0;
    };

    std::vector<Adapter> adapters;
    base::CodePage codePage = base::CodePage::kWindows1252;  // of the texts above
    std::vector<Mode> modes;
    // GetDeviceCaps: HORZRES, VERTRES, BITSPIXEL, PLANES, VREFRESH.
    int width = 0, height = 0, bits = 0, planes = 1, refresh = 0;
    // The display's scale in percent, and whether the process declares itself
    // aware of the display's DPI. A process unaware of it is shown a virtual
    // screen of the size divided by the scale: its HORZRES and VERTRES are
    // those sizes, while the modes keep the physical ones.
    int scalePercent = 100;
    bool dpiAware = true;

    bool EnumDisplayDevices(std::optional<std::string_view> device, std::uint32_t index,
                            std::span<std::uint8_t> record) override;
    bool EnumDisplaySettings(std::optional<std::string_view> device, std::uint32_t mode,
                             std::span<std::uint8_t> record) override;
    display::DeviceContext GetDC() override;
    int GetDeviceCaps(display::DeviceContext dc, int index) override;

private:
    int Virtualised(int size) const;
};

void ReadDisplaySection(const Node& section, SimAreas& areas);

}  // namespace platform::sim
