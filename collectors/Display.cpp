#include "collectors/Display.h"

#include <array>

#include "base/bytes.h"
#include "base/codepage.h"
#include "platform/display_services.h"

namespace collectors {

namespace {

namespace display = platform::display;
using Device = display::DisplayDeviceLayout;
using Mode = display::DevModeLayout;

std::string_view Bytes(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t length) {
    const std::string_view field(reinterpret_cast<const char*>(bytes.data() + offset), length);
    return field.substr(0, field.find('\0'));
}

std::array<std::uint8_t, Device::kSize> DeviceRecord() {
    std::array<std::uint8_t, Device::kSize> record{};
    record[Device::kCb] = static_cast<std::uint8_t>(Device::kSize);
    return record;
}

// A refresh rate of 0 or 1, in a mode or from the device context, is the
// display's default rate: both mean the same (a virtual or basic adapter
// gives its modes 0 and its device context 1).
bool SameRefresh(std::uint32_t mode, int deviceContext) {
    const auto normal = [](long long hz) { return hz == 1 ? 0 : hz; };
    return normal(mode) == normal(deviceContext);
}

}  // namespace

Display::Display(platform::Machine& machine) {
    platform::DisplayServices& services = machine.Display();
    const display::DeviceContext dc = services.GetDC();
    const base::CodePage page = machine.TextCodePage();

    for (std::uint32_t adapter = 0;; ++adapter) {
        auto record = DeviceRecord();
        if (!services.EnumDisplayDevices(std::nullopt, adapter, record)) break;
        if (!(*base::ReadLe32(record, Device::kStateFlags) & display::kPrimaryDevice)) continue;
        name_ = base::DecodeText(page, Bytes(record, Device::kDeviceString, Device::kDeviceStringLength));
        // The adapter's device name, as the machine gave it, names it again.
        const std::string deviceName(Bytes(record, Device::kDeviceName, Device::kDeviceNameLength));
        auto monitor = DeviceRecord();
        if (services.EnumDisplayDevices(deviceName, 0, monitor))
            monitor_ = base::DecodeText(page, Bytes(monitor, Device::kDeviceString, Device::kDeviceStringLength));
        break;
    }

    for (std::uint32_t number = 0;; ++number) {
        std::array<std::uint8_t, Mode::kSize> mode{};
        mode[Mode::kDmSize] = static_cast<std::uint8_t>(Mode::kSize);
        if (!services.EnumDisplaySettings(std::nullopt, number, mode)) break;
        if (Full()) {
            CountPastLimit();
            continue;
        }
        auto item = std::make_unique<DisplayItem>();
        // A value that does not fit its field leaves that field at 0.
        const auto field = [&](std::size_t offset) { return *base::ReadLe32(mode, offset); };
        if (const auto bits = field(Mode::kBitsPerPel); bits <= UINT8_MAX) item->colorBits_ = static_cast<std::uint8_t>(bits);
        if (const auto hz = field(Mode::kDisplayFrequency); hz <= UINT16_MAX) item->refreshFrequency_ = static_cast<std::uint16_t>(hz);
        if (const auto h = field(Mode::kPelsHeight); h <= INT16_MAX) item->screenHeight_ = static_cast<std::int16_t>(h);
        if (const auto w = field(Mode::kPelsWidth); w <= INT16_MAX) item->screenWidth_ = static_cast<std::int16_t>(w);

        const long long depth = static_cast<long long>(services.GetDeviceCaps(dc, display::kPlanes)) *
                                services.GetDeviceCaps(dc, display::kBitsPixel);
        item->selected_ = item->colorBits_ == depth &&
                          SameRefresh(item->refreshFrequency_, services.GetDeviceCaps(dc, display::kVRefresh)) &&
                          item->screenHeight_ == services.GetDeviceCaps(dc, display::kVertRes) &&
                          item->screenWidth_ == services.GetDeviceCaps(dc, display::kHorzRes);
        Add(std::move(item));
    }
    if (dc != 0) services.ReleaseDC(dc);
}

int Display::SelectedIndex() const {
    for (std::int16_t i = 0; i < Count(); ++i)
        if (Item(i)->Selected()) return i;
    return -1;
}

}  // namespace collectors
