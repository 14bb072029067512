#include "platform/sim/sim_display.h"

#include <algorithm>

#include "base/codepage.h"
#include "platform/sim/sim_areas.h"

namespace platform::sim {

namespace {

using Device = display::DisplayDeviceLayout;
using ModeLayout = display::DevModeLayout;

constexpr std::uint64_t kMax32 = 0xFFFFFFFFu;
constexpr display::DeviceContext kScreen = 1;

void PutLe32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void PutText(std::span<std::uint8_t> b, std::size_t at, std::size_t length, const std::string& text) {
    std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(at), length, std::uint8_t{0});
    std::copy_n(text.begin(), std::min(text.size(), length - 1), b.begin() + static_cast<std::ptrdiff_t>(at));
}

int Cap(const Node& n, const char* key, int fallback) {
    const auto member = n.Member(key);
    return member ? static_cast<int>(member->Signed(INT32_MIN, INT32_MAX)) : fallback;
}

}  // namespace

void ReadDisplaySection(const Node& section, SimAreas& areas) {
    SimDisplay& d = areas.display;
    section.OnlyKeys({"adapters", "modes", "current"});
    if (const auto adapters = section.Member("adapters")) {
        for (std::size_t i = 0; i < adapters->Size(); ++i) {
            const Node a = adapters->Element(i);
            a.OnlyKeys({"name", "description", "primary", "monitors"});
            SimDisplay::Adapter adapter;
            adapter.name = a.Text("name", "\\\\.\\DISPLAY" + std::to_string(i + 1));
            adapter.description = base::EncodeWindows1252(base::DecodeUtf8(a.Text("description", "")));
            adapter.primary = a.Boolean("primary", false);
            if (const auto monitors = a.Member("monitors"))
                for (std::size_t m = 0; m < monitors->Size(); ++m)
                    adapter.monitors.push_back(base::EncodeWindows1252(base::DecodeUtf8(monitors->Element(m).Text())));
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
    if (record.size() < Device::kSize) return false;
    if (!device) {
        if (index >= adapters.size()) return false;
        const Adapter& a = adapters[index];
        PutText(record, Device::kDeviceName, Device::kDeviceNameLength, a.name);
        PutText(record, Device::kDeviceString, Device::kDeviceStringLength, a.description);
        PutLe32(record, Device::kStateFlags, a.primary ? display::kPrimaryDevice : 0);
        return true;
    }
    for (const auto& a : adapters) {
        if (a.name != *device) continue;
        if (index >= a.monitors.size()) return false;
        PutText(record, Device::kDeviceName, Device::kDeviceNameLength, a.name + "\\Monitor" + std::to_string(index));
        PutText(record, Device::kDeviceString, Device::kDeviceStringLength, a.monitors[index]);
        PutLe32(record, Device::kStateFlags, 0);
        return true;
    }
    return false;
}

bool SimDisplay::EnumDisplaySettings(std::optional<std::string_view> device, std::uint32_t mode,
                                     std::span<std::uint8_t> record) {
    if (device || mode >= modes.size() || record.size() < ModeLayout::kSize) return false;
    const Mode& m = modes[mode];
    PutLe32(record, ModeLayout::kBitsPerPel, m.bits);
    PutLe32(record, ModeLayout::kPelsWidth, m.width);
    PutLe32(record, ModeLayout::kPelsHeight, m.height);
    PutLe32(record, ModeLayout::kDisplayFrequency, m.refresh);
    return true;
}

display::DeviceContext SimDisplay::GetDC() { return kScreen; }

int SimDisplay::GetDeviceCaps(display::DeviceContext dc, int index) {
    if (dc != kScreen) return 0;
    switch (index) {
    case display::kHorzRes: return width;
    case display::kVertRes: return height;
    case display::kBitsPixel: return bits;
    case display::kPlanes: return planes;
    case display::kVRefresh: return refresh;
    default: return 0;
    }
}

}  // namespace platform::sim
