#pragma once
// The waveform audio devices: every input device, then every output device,
// each group in device-number order; a device whose capabilities cannot be
// read is left out without a gap.

#include <cstdint>
#include <span>
#include <string>

#include "base/codepage.h"
#include "collectors/Collection.h"
#include "platform/machine.h"

namespace collectors {

class SoundItem {
public:
    static constexpr std::int32_t kWaveIn = 1;
    static constexpr std::int32_t kWaveOut = 2;

    const std::wstring& Name() const { return name_; }
    std::int32_t SoundType() const { return soundType_; }
    const std::wstring& Version() const { return version_; }  // "5.10": major "." minor

private:
    friend class Sound;
    std::wstring name_;
    std::int32_t soundType_ = 0;
    std::wstring version_;
};

class Sound : public Collection<SoundItem> {
public:
    explicit Sound(platform::Machine& machine);

private:
    void AddDevice(std::span<const std::uint8_t> caps, std::int32_t soundType, base::CodePage page);
};

}  // namespace collectors
