#include "collectors/Joysticks.h"

#include <array>
#include <memory>
#include <string_view>

#include "base/bytes.h"
#include "base/codepage.h"
#include "platform/multimedia_services.h"

namespace collectors {

namespace {

constexpr std::uint32_t kMaxCount = 255;

// A count above 255 does not fit the property: the field stays 0.
std::uint8_t Count8(std::uint32_t value) { return value <= kMaxCount ? static_cast<std::uint8_t>(value) : 0; }

bool Attached(platform::MultimediaServices& multimedia, std::uint32_t slot) {
    using platform::JoyInfoExLayout;
    std::array<std::uint8_t, JoyInfoExLayout::kSize> info{};
    base::WriteLe32(info, JoyInfoExLayout::kDwSize, static_cast<std::uint32_t>(JoyInfoExLayout::kSize));
    base::WriteLe32(info, JoyInfoExLayout::kDwFlags, platform::kJoyReturnAll);
    return multimedia.joyGetPosEx(slot, info) == platform::kMmSysErrNoError;
}

}  // namespace

Joysticks::Joysticks(platform::Machine& machine) {
    using platform::JoyCapsLayout;
    auto& multimedia = machine.Multimedia();
    std::array<std::uint8_t, JoyCapsLayout::kSize> caps{};
    const std::uint32_t slots = multimedia.joyGetNumDevs();
    for (std::uint32_t j = 0; j < slots; ++j) {
        caps.fill(0);
        if (multimedia.joyGetDevCaps(j, caps) != platform::kMmSysErrNoError) continue;
        // A slot the driver has configured answers its capabilities whether
        // a joystick is plugged in or not; only its position says so.
        if (!Attached(multimedia, j)) continue;
        auto item = std::make_unique<JoystickItem>();
        item->axes_ = Count8(platform::GetLe32(caps, JoyCapsLayout::kNumAxes));
        item->buttons_ = Count8(platform::GetLe32(caps, JoyCapsLayout::kNumButtons));
        const auto* pname = reinterpret_cast<const char*>(caps.data() + JoyCapsLayout::kPname);
        item->name_ = base::TextFromBuffer(machine.TextCodePage(), std::string_view(pname, platform::kPnameSize));
        Add(std::move(item));
    }
}

}  // namespace collectors
