#include "platform/linux/areas/linux_multimedia.h"

#include "base/codepage.h"
#include "platform/linux/parsers/alsa_pcm.h"
#include "platform/linux/parsers/text_fields.h"
#include "platform/multimedia_records.h"

namespace platform::linux_backend {

namespace {

// A software modem's PCM streams carry a telephone line, not sound: the
// kernel marks them with the class "modem" (/sys/class/sound/pcmC0D6p/pcm_class).
bool IsModemStream(const RootFs& fs, const PcmDevice& device, char direction) {
    const std::string path = "/sys/class/sound/pcmC" + std::to_string(device.card) + "D" +
                             std::to_string(device.device) + direction + "/pcm_class";
    const auto content = fs.ReadFile(path);
    return content && AttributeValue(*content) == "modem";
}

}  // namespace

std::string NameForPnameField(std::string_view utf8) {
    return std::string(base::FitToField(base::CodePage::kUtf8, utf8, kPnameSize - 1));
}

const LinuxMultimedia::WaveDevices& LinuxMultimedia::Wave() {
    if (wave_) return *wave_;
    wave_.emplace();
    const auto pcm = context_.fs.ReadFile("/proc/asound/pcm");
    if (!pcm) return *wave_;
    std::uint32_t version = 0;  // no version named: 0.0
    if (const auto text = context_.fs.ReadFile("/proc/asound/version"))
        if (const auto parsed = ParseAlsaVersion(*text)) version = WaveDriverVersion(parsed->major, parsed->minor);
    for (const PcmDevice& device : ParseAlsaPcm(*pcm)) {
        const WaveDevice wave{NameForPnameField(device.name), version};
        if (device.capture > 0 && !IsModemStream(context_.fs, device, 'c')) wave_->inputs.push_back(wave);
        if (device.playback > 0 && !IsModemStream(context_.fs, device, 'p')) wave_->outputs.push_back(wave);
    }
    return *wave_;
}

const JoystickSlots& LinuxMultimedia::Joysticks() {
    if (joysticks_) return *joysticks_;
    const auto& devices = context_.InputDevices();
    joysticks_ = FindJoysticks(devices, context_.WordBits(devices));
    return *joysticks_;
}

std::uint32_t LinuxMultimedia::Caps(const std::vector<WaveDevice>& devices, std::uint32_t device,
                                    std::span<std::uint8_t> caps) {
    if (device >= devices.size()) return kMmSysErrBadDeviceId;
    const WaveDevice& wave = devices[device];
    return FillWaveCaps(caps, wave.driverVersion, wave.name) ? kMmSysErrNoError : kMmSysErrInvalParam;
}

std::uint32_t LinuxMultimedia::waveInGetNumDevs() { return static_cast<std::uint32_t>(Wave().inputs.size()); }

std::uint32_t LinuxMultimedia::waveInGetDevCaps(std::uint32_t device, std::span<std::uint8_t> caps) {
    return Caps(Wave().inputs, device, caps);
}

std::uint32_t LinuxMultimedia::waveOutGetNumDevs() { return static_cast<std::uint32_t>(Wave().outputs.size()); }

std::uint32_t LinuxMultimedia::waveOutGetDevCaps(std::uint32_t device, std::span<std::uint8_t> caps) {
    return Caps(Wave().outputs, device, caps);
}

std::uint32_t LinuxMultimedia::joyGetNumDevs() { return static_cast<std::uint32_t>(kJoystickSlots); }

std::uint32_t LinuxMultimedia::joyGetDevCaps(std::uint32_t joystick, std::span<std::uint8_t> caps) {
    if (joystick >= kJoystickSlots) return kJoyErrParms;
    const auto& slot = Joysticks()[joystick];
    if (!slot) return kJoyErrUnplugged;
    return FillJoyCaps(caps, NameForPnameField(slot->name), slot->buttons, slot->axes) ? kMmSysErrNoError
                                                                                         : kJoyErrParms;
}

std::uint32_t LinuxMultimedia::joyGetPosEx(std::uint32_t joystick, std::span<std::uint8_t> info) {
    if (joystick >= kJoystickSlots || info.size() < JoyInfoExLayout::kSize) return kJoyErrParms;
    return Joysticks()[joystick] ? kMmSysErrNoError : kJoyErrUnplugged;
}

}  // namespace platform::linux_backend
