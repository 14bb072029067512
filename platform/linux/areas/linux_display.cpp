#include "platform/linux/areas/linux_display.h"

#include <algorithm>
#include <cstring>

#include "base/codepage.h"
#include "platform/linux/io/drm_modes.h"
#include "platform/linux/parsers/edid.h"
#include "platform/linux/areas/net_interfaces.h"
#include "platform/linux/io/randr_screen.h"
#include "platform/linux/parsers/text_fields.h"
#include "platform/linux/io/x_server.h"

namespace platform::linux_backend {

namespace {

constexpr std::string_view kAdapterPrefix = "\\\\.\\DISPLAY";
constexpr std::string_view kMonitorSuffix = "\\Monitor0";
constexpr display::DeviceContext kScreenContext = 1;

// A display device record from texts in UTF-8, handed over as Linux gives them.
bool FillDevice(std::span<std::uint8_t> record, const std::string& name, const std::string& description,
                std::uint32_t stateFlags) {
    return display::FillDisplayDevice(record, name, description, stateFlags, base::CodePage::kUtf8);
}

}  // namespace

const std::vector<LinuxDisplay::Adapter>& LinuxDisplay::Adapters() {
    if (adapters_) return *adapters_;
    adapters_.emplace();
    const auto cards = ListDrmCards(fs_);
    const auto primary = PrimaryCard(cards);
    for (std::size_t i = 0; i < cards.size(); ++i) {
        Adapter adapter;
        adapter.deviceName = std::string(kAdapterPrefix) + std::to_string(i + 1);
        adapter.primary = primary == i;
        const auto uevent = fs_.ReadFile(std::string(kDrmClass) + "/" + cards[i].name + "/device/uevent");
        const DeviceIdentity identity = ParseDeviceUevent(uevent.value_or(""));
        std::optional<std::string> name;
        if (identity.bus == DeviceIdentity::Bus::kPci) name = ids_.PciName(identity.vendor, identity.device);
        adapter.description = name.value_or(identity.driver);
        for (const auto& connector : cards[i].connectors) {
            if (connector.connected) {
                adapter.connector = connector.name;
                break;
            }
        }
        adapters_->push_back(std::move(adapter));
    }
    return *adapters_;
}

Bytes LinuxDisplay::Edid(const std::string& connector) const {
    const auto file = fs_.ReadFile(std::string(kDrmClass) + "/" + connector + "/edid");
    if (!file) return {};
    return Bytes(file->begin(), file->end());
}

std::optional<std::string> LinuxDisplay::MonitorName(const std::string& connector) {
    const Bytes edid = Edid(connector);
    if (edid.empty()) return std::nullopt;
    std::string name = ParseEdid(edid).DisplayName();
    if (name.empty()) return std::nullopt;
    return name;
}

bool LinuxDisplay::EnumDisplayDevices(std::optional<std::string_view> device, std::uint32_t index,
                                      std::span<std::uint8_t> record) {
    if (record.size() < display::DisplayDeviceLayout::kSize) return false;
    const auto& adapters = Adapters();
    if (!device) {
        if (index >= adapters.size()) return false;
        const Adapter& adapter = adapters[index];
        return FillDevice(record, adapter.deviceName, adapter.description,
                          adapter.primary ? display::kPrimaryDevice : 0);
    }
    if (index != 0) return false;  // one monitor per adapter: the first connected one
    for (const auto& adapter : adapters) {
        if (adapter.deviceName != *device || !adapter.connector) continue;
        const auto name = MonitorName(*adapter.connector);
        if (!name) return false;
        return FillDevice(record, adapter.deviceName + std::string(kMonitorSuffix), *name, 0);
    }
    return false;
}

bool LinuxDisplay::FromRandr(Screen& screen) {
    const auto reply = replies_.Ask(x11::kChannel, randr::kModes, [&]() -> std::optional<Bytes> {
        if (display_.empty()) return std::nullopt;
        return LiveRandrScreen(display_);
    });
    const auto randr = reply ? DecodeRandrScreen(*reply) : std::nullopt;
    if (!randr || randr->modes.empty()) return false;
    if (randr->bitsPerPixel != 0) screen.bitsPerPixel = randr->bitsPerPixel;
    screen.modes = randr->modes;
    return true;
}

bool LinuxDisplay::FromConnector(const std::string& card, const std::string& connector, Screen& screen) {
    const auto idText = fs_.ReadFile(std::string(kDrmClass) + "/" + connector + "/connector_id");
    const auto idValue = idText ? AttributeValue(*idText) : std::nullopt;
    const auto id = idValue ? ParseDecimal(*idValue) : std::nullopt;
    const std::string node = "/dev/dri/" + card;
    const auto live = [&](auto ask) {
        return [&, ask]() -> std::optional<Bytes> {
            if (!id || *id > UINT32_MAX) return std::nullopt;
            return ask(node, static_cast<std::uint32_t>(*id));
        };
    };
    const auto modesReply = replies_.Ask(drm::kChannel, connector + std::string(drm::kModesSuffix), live(LiveDrmModes));
    const auto modes = modesReply ? DecodeDrmModes(*modesReply) : std::nullopt;
    if (!modes || modes->empty()) return false;
    screen.modes = *modes;
    const auto crtcReply = replies_.Ask(drm::kChannel, connector + std::string(drm::kCrtcSuffix), live(LiveDrmCrtc));
    if (const auto current = crtcReply ? DecodeDrmCrtc(*crtcReply) : std::nullopt) {
        for (auto& mode : screen.modes)
            if (mode.width == current->width && mode.height == current->height && mode.refresh == current->refresh)
                mode.current = true;
    }
    return true;
}

const LinuxDisplay::Screen& LinuxDisplay::TheScreen() {
    if (screen_) return *screen_;
    // Built from a value: clang does not count a nested struct with member
    // defaults as default-constructible while its enclosing class is read.
    screen_.emplace(Screen{});
    Screen& screen = *screen_;
    if (!FromRandr(screen)) {
        const auto& adapters = Adapters();
        const auto primary = std::find_if(adapters.begin(), adapters.end(), [](const Adapter& a) { return a.primary; });
        if (primary != adapters.end() && primary->connector) {
            const std::string card = primary->connector->substr(0, primary->connector->find('-'));
            if (!FromConnector(card, *primary->connector, screen)) {
                // The monitor's own list; it says nothing of the mode in use.
                for (const auto& timing : ParseEdid(Edid(*primary->connector)).timings)
                    screen.modes.push_back({timing.width, timing.height,
                                            static_cast<std::uint32_t>(timing.refresh + 0.5), false});
            }
        }
    }
    screen.modes = WithoutRepeats(screen.modes);
    for (const auto& mode : screen.modes)
        if (mode.current) {
            screen.current = mode;
            break;
        }
    return screen;
}

bool LinuxDisplay::EnumDisplaySettings(std::optional<std::string_view> device, std::uint32_t number,
                                       std::span<std::uint8_t> record) {
    if (device || record.size() < display::DevModeLayout::kSize) return false;
    const Screen& screen = TheScreen();
    if (number >= screen.modes.size()) return false;
    const ScreenMode& mode = screen.modes[number];
    return display::FillDevMode(record, {screen.bitsPerPixel, mode.width, mode.height, mode.refresh});
}

display::DeviceContext LinuxDisplay::GetDC() { return kScreenContext; }

int LinuxDisplay::GetDeviceCaps(display::DeviceContext dc, int index) {
    if (dc != kScreenContext) return 0;
    const Screen& screen = TheScreen();
    if (!screen.current) return 0;  // nothing known of the mode in use
    switch (index) {
    case display::kHorzRes: return static_cast<int>(screen.current->width);
    case display::kVertRes: return static_cast<int>(screen.current->height);
    case display::kBitsPixel: return screen.bitsPerPixel;
    case display::kPlanes: return 1;
    case display::kVRefresh: return static_cast<int>(screen.current->refresh);
    default: return 0;
    }
}

void LinuxDisplay::ReleaseDC(display::DeviceContext) {}

}  // namespace platform::linux_backend
