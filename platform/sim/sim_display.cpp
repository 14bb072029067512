#include "platform/sim/sim_display.h"

#include <algorithm>

#include "base/codepage.h"
#include "platform/sim/sim_areas.h"
#include "platform/sim/sim_text.h"

namespace platform::sim {

namespace {

constexpr std::uint64_t kMax32 = 0xFFFFFFFFu;
constexpr display::DeviceContext kScreen = 1;
// Windows offers 100 % to 500 % in its display settings.
constexpr std::uint64_t kMinScalePercent = 100;
constexpr std::uint64_t kMaxScalePercent = 500;

int Cap(const Node& n, const char* key, int fallback) {
    const auto member = n.Member(key);
    return member ? static_cast<int>(member->Signed(INT32_MIN, INT32_MAX)) : fallback;
}

}  // namespace

void ReadDisplaySection(const Node& section, SimAreas& areas) {
    SimDisplay& d = areas.display;
    d.codePage = areas.codePage;
    section.OnlyKeys({"adapters", "modes", "current", "scale", "dpi_aware"});
    const std::uint64_t scale = section.Unsigned("scale", kMaxScalePercent, 100);
    if (scale < kMinScalePercent) section.Member("scale")->Fail("a scale is 100 percent or more");
    d.scalePercent = static_cast<int>(scale);
    d.dpiAware = section.Boolean("dpi_aware", true);
    if (const auto adapters = section.Member("adapters")) {
        for (std::size_t i = 0; i < adapters->Size(); ++i) {
            const Node a = adapters->Element(i);
            a.OnlyKeys({"name", "description", "primary", "monitors"});
            SimDisplay::Adapter adapter;
            adapter.name = a.Text("name", "\\\\.\\DISPLAY" + std::to_string(i + 1));
            adapter.description = MachineText(a.Text("description", ""), areas.codePage);
            adapter.primary = a.Boolean("primary", false);
            if (const auto monitors = a.Member("monitors"))
                for (std::size_t m = 0; m < monitors->Size(); ++m)
                    adapter.monitors.push_back(MachineText(monitors->Element(m), areas.codePage));
            d.adapters.push_back(std::move(adapter));
        }
    }
    if (const auto modes = section.Member("modes")) {
        for (std::size_t i = 0; i < modes->Size(); ++i) {
            const Node m = modes->Element(i);
            m.OnlyKeys({"width", "height", "bits", "refresh"});
            d.modes.push_back({static_cast<std::uint32_t>(m.Unsigned("width", kMax32, 0)),
                               static_cast<std::uint32_t>(m.Unsigned("height", kMax32, 0)),
                               static_cast<std::uint32_t>(m.Unsigned("bits", kMax32, 0)),
                               static_cast<std::uint32_t>(m.Unsigned("refresh", kMax32, 0))});
        }
    }
    if (const auto current = section.Member("current")) {
        current->OnlyKeys({"width", "height", "bits", "planes", "refresh"});
        d.width = Cap(*current, "width", 0);
        d.height = Cap(*current, "height", 0);
        d.bits = Cap(*current, "bits", 0);
        d.planes = Cap(*current, "planes", 1);
        d.refresh = Cap(*current, "refresh", 0);
    }
}

bool SimDisplay::EnumDisplayDevices(std::optional<std::string_view> device, std::uint32_t index,
                                    std::span<std::uint8_t> record) {
    if (record.size() < display::DisplayDeviceLayout::kSize) return false;
    if (!device) {
        if (index >= adapters.size()) return false;
        const Adapter& a = adapters[index];
        return display::FillDisplayDevice(record, a.name, a.description, a.primary ? display::kPrimaryDevice : 0,
                                          codePage);
    }
    for (const auto& a : adapters) {
        if (a.name != *device) continue;
        if (index >= a.monitors.size()) return false;
        return display::FillDisplayDevice(record, a.name + "\\Monitor" + std::to_string(index), a.monitors[index], 0,
                                          codePage);
    }
    return false;
}

bool SimDisplay::EnumDisplaySettings(std::optional<std::string_view> device, std::uint32_t mode,
                                     std::span<std::uint8_t> record) {
    if (device || mode >= modes.size()) return false;
    const Mode& m = modes[mode];
    return display::FillDevMode(record, {m.bits, m.width, m.height, m.refresh});
}

int SimDisplay::Virtualised(int size) const {
    if (dpiAware || scalePercent == 100) return size;
    // As MulDiv rounds: 2560 pixels at 150 % are 1707.
    return static_cast<int>((static_cast<long long>(size) * 100 + scalePercent / 2) / scalePercent);
}

display::DeviceContext SimDisplay::GetDC() { return kScreen; }

int SimDisplay::GetDeviceCaps(display::DeviceContext dc, int index) {
    if (dc != kScreen) return 0;
    switch (index) {
    case display::kHorzRes: return Virtualised(width);
    case display::kVertRes: return Virtualised(height);
    case display::kBitsPixel: return bits;
    case display::kPlanes: return planes;
    case display::kVRefresh: return refresh;
    default: return 0;
    }
}

}  // namespace platform::sim
