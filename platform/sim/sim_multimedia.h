#pragma once
// Simulated sound devices and joysticks: the sections "wave" and
// "joysticks" of the machine file (docs/machine-file.md).

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/multimedia_services.h"
#include "platform/sim/sim_reader.h"

namespace platform::sim {

class SimMultimedia final : public MultimediaServices {
public:
    struct WaveDevice {
        std::string name;  // Windows-1252, at most 32 bytes (32 leaves no zero byte)
        std::uint32_t driverVersion = 0;
        std::uint32_t result = 0;  // what the capability request returns
    };
    struct Joystick {
        std::string name;
        std::uint32_t axes = 0;
        std::uint32_t buttons = 0;
        std::uint32_t result = 0;
        bool attached = true;  // false: the slot answers its capabilities, not its position
    };

    std::vector<WaveDevice> inputs, outputs;
    // The device counts the service reports; the list sizes when not given.
    std::optional<std::uint32_t> inputCount, outputCount;
    std::uint32_t joystickSlots = 0;
    std::map<std::uint32_t, Joystick> joysticks;  // by slot; other slots are unplugged

    std::uint32_t waveInGetNumDevs() override;
    std::uint32_t waveInGetDevCaps(std::uint32_t device, std::span<std::uint8_t> caps) override;
    std::uint32_t waveOutGetNumDevs() override;
    std::uint32_t waveOutGetDevCaps(std::uint32_t device, std::span<std::uint8_t> caps) override;
    std::uint32_t joyGetNumDevs() override;
    std::uint32_t joyGetDevCaps(std::uint32_t joystick, std::span<std::uint8_t> caps) override;
    std::uint32_t joyGetPosEx(std::uint32_t joystick, std::span<std::uint8_t> info) override;
};

struct SimAreas;
void ReadWaveSection(const Node& section, SimAreas& areas);
void ReadJoysticksSection(const Node& section, SimAreas& areas);

}  // namespace platform::sim
