#pragma once
// Sound devices and joysticks of a Linux machine, from files every user may
// read: ALSA's /proc/asound (a waveform input device per PCM device with
// capture substreams, an output device per PCM device with playback
// substreams, each group in card and device order; a software modem's streams
// are left out) and the input devices of
// /proc/bus/input/devices (the joystick slots js0 to js15). No device node is
// opened, so a captured tree needs no recorded replies for either.

#include <optional>
#include <string>
#include <vector>

#include "platform/linux/parsers/input_devices.h"
#include "platform/linux/areas/linux_context.h"
#include "platform/multimedia_services.h"

namespace platform::linux_backend {

class LinuxMultimedia final : public MultimediaServices {
public:
    explicit LinuxMultimedia(LinuxContext& context) : context_(context) {}

    std::uint32_t waveInGetNumDevs() override;
    std::uint32_t waveInGetDevCaps(std::uint32_t device, std::span<std::uint8_t> caps) override;
    std::uint32_t waveOutGetNumDevs() override;
    std::uint32_t waveOutGetDevCaps(std::uint32_t device, std::span<std::uint8_t> caps) override;
    std::uint32_t joyGetNumDevs() override;
    std::uint32_t joyGetDevCaps(std::uint32_t joystick, std::span<std::uint8_t> caps) override;
    // Only attached joysticks are input devices, so a slot that answers its
    // capabilities answers this too (the position itself is not read: no
    // device node is opened).
    std::uint32_t joyGetPosEx(std::uint32_t joystick, std::span<std::uint8_t> info) override;

private:
    struct WaveDevice {
        std::string name;  // Windows-1252, at most 31 bytes
        std::uint32_t driverVersion = 0;
    };
    struct WaveDevices {
        std::vector<WaveDevice> inputs, outputs;
    };

    const WaveDevices& Wave();
    const JoystickSlots& Joysticks();
    static std::uint32_t Caps(const std::vector<WaveDevice>& devices, std::uint32_t device,
                              std::span<std::uint8_t> caps);

    LinuxContext& context_;
    std::optional<WaveDevices> wave_;
    std::optional<JoystickSlots> joysticks_;
};

// A name from a UTF-8 source as a 32-byte single-byte field holds it:
// Windows-1252, cut to 31 bytes so that the zero byte still fits.
std::string NameForPnameField(std::string_view utf8);

}  // namespace platform::linux_backend
