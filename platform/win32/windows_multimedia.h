#pragma once
// Wave devices and joysticks of the Windows machine.

#include "platform/multimedia_services.h"

namespace platform::win32 {

class WindowsMultimedia final : public MultimediaServices {
public:
    std::uint32_t waveInGetNumDevs() override;
    std::uint32_t waveInGetDevCaps(std::uint32_t device, std::span<std::uint8_t> record) override;
    std::uint32_t waveOutGetNumDevs() override;
    std::uint32_t waveOutGetDevCaps(std::uint32_t device, std::span<std::uint8_t> record) override;
    std::uint32_t joyGetNumDevs() override;
    std::uint32_t joyGetDevCaps(std::uint32_t joystick, std::span<std::uint8_t> record) override;
    std::uint32_t joyGetPosEx(std::uint32_t joystick, std::span<std::uint8_t> record) override;
};

}  // namespace platform::win32
