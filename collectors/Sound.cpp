#include "collectors/Sound.h"

#include <array>
#include <memory>
#include <string_view>

#include "base/codepage.h"
#include "platform/multimedia_services.h"

namespace collectors {

namespace {

std::wstring Decimal(unsigned value) { return std::to_wstring(value); }

}  // namespace

Sound::Sound(platform::Machine& machine) {
    using platform::WaveCapsLayout;
    auto& multimedia = machine.Multimedia();
    std::array<std::uint8_t, WaveCapsLayout::kInSize> inCaps{};
    const std::uint32_t inputs = multimedia.waveInGetNumDevs();
    for (std::uint32_t d = 0; d < inputs; ++d) {
        inCaps.fill(0);
        if (multimedia.waveInGetDevCaps(d, inCaps) != platform::kMmSysErrNoError) continue;
        AddDevice(inCaps, SoundItem::kWaveIn, machine.TextCodePage());
    }
    std::array<std::uint8_t, WaveCapsLayout::kOutSize> outCaps{};
    const std::uint32_t outputs = multimedia.waveOutGetNumDevs();
    for (std::uint32_t d = 0; d < outputs; ++d) {
        outCaps.fill(0);
        if (multimedia.waveOutGetDevCaps(d, outCaps) != platform::kMmSysErrNoError) continue;
        AddDevice(outCaps, SoundItem::kWaveOut, machine.TextCodePage());
    }
}

void Sound::AddDevice(std::span<const std::uint8_t> caps, std::int32_t soundType, base::CodePage page) {
    using platform::WaveCapsLayout;
    auto item = std::make_unique<SoundItem>();
    // A name that fills all 32 bytes has no zero byte: the field ends it.
    const auto* pname = reinterpret_cast<const char*>(caps.data() + WaveCapsLayout::kPname);
    item->name_ = base::TextFromBuffer(page, std::string_view(pname, platform::kPnameSize));
    item->soundType_ = soundType;
    const std::uint32_t version = platform::GetLe32(caps, WaveCapsLayout::kDriverVersion);
    item->version_ = Decimal((version >> 8) & 0xFF) + L"." + Decimal(version & 0xFF);
    Add(std::move(item));
}

}  // namespace collectors
