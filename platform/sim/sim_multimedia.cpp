#include "platform/sim/sim_multimedia.h"

#include "platform/multimedia_records.h"

namespace platform::sim {

namespace {

std::uint32_t WaveCaps(const std::vector<SimMultimedia::WaveDevice>& devices, std::uint32_t device,
                       std::span<std::uint8_t> caps) {
    if (device >= devices.size()) return kMmSysErrBadDeviceId;
    const auto& wave = devices[device];
    if (wave.result != kMmSysErrNoError) return wave.result;
    return FillWaveCaps(caps, wave.driverVersion, wave.name) ? kMmSysErrNoError : kMmSysErrInvalParam;
}

}  // namespace

std::uint32_t SimMultimedia::waveInGetNumDevs() {
    return inputCount.value_or(static_cast<std::uint32_t>(inputs.size()));
}

std::uint32_t SimMultimedia::waveInGetDevCaps(std::uint32_t device, std::span<std::uint8_t> caps) {
    return WaveCaps(inputs, device, caps);
}

std::uint32_t SimMultimedia::waveOutGetNumDevs() {
    return outputCount.value_or(static_cast<std::uint32_t>(outputs.size()));
}

std::uint32_t SimMultimedia::waveOutGetDevCaps(std::uint32_t device, std::span<std::uint8_t> caps) {
    return WaveCaps(outputs, device, caps);
}

std::uint32_t SimMultimedia::joyGetNumDevs() { return joystickSlots; }

std::uint32_t SimMultimedia::joyGetDevCaps(std::uint32_t joystick, std::span<std::uint8_t> caps) {
    if (joystick >= joystickSlots) return kJoyErrParms;
    const auto found = joysticks.find(joystick);
    if (found == joysticks.end()) return kJoyErrUnplugged;
    const Joystick& j = found->second;
    if (j.result != kMmSysErrNoError) return j.result;
    return FillJoyCaps(caps, j.name, j.buttons, j.axes) ? kMmSysErrNoError : kJoyErrParms;
}

}  // namespace platform::sim
