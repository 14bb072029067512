// Wave devices and joysticks: the counts the services report and each
// device's capability record (or the result that refused it).
#include "platform/recording/recording_areas.h"

namespace platform::recording {

namespace {

FileJson Ordered(std::map<std::uint32_t, FileJson>& devices, std::uint32_t count) {
    FileJson list = FileJson::array();
    // A device the collector did not ask for answers "bad device" on replay.
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto found = devices.find(i);
        list.push_back(found != devices.end() ? found->second : FileJson{{"result", kMmSysErrBadDeviceId}});
    }
    return list;
}

}  // namespace

std::uint32_t RecordingMultimedia::waveInGetNumDevs() {
    const std::uint32_t count = real_.waveInGetNumDevs();
    record_.file["wave"]["input_count"] = count;
    return count;
}

std::uint32_t RecordingMultimedia::waveOutGetNumDevs() {
    const std::uint32_t count = real_.waveOutGetNumDevs();
    record_.file["wave"]["output_count"] = count;
    return count;
}

std::uint32_t RecordingMultimedia::WaveCaps(const char* list, std::uint32_t device, std::span<const std::uint8_t> caps,
                                            std::uint32_t result) {
    FileJson entry = {{"result", result}};
    if (result == kMmSysErrNoError)
        entry = {{"name", record_.Text(ZeroEnded(caps, WaveCapsLayout::kPname, kPnameSize))},
                 {"version", GetLe32(caps, WaveCapsLayout::kDriverVersion)}};
    wave_[list][device] = entry;
    return result;
}

std::uint32_t RecordingMultimedia::waveInGetDevCaps(std::uint32_t device, std::span<std::uint8_t> caps) {
    return WaveCaps("inputs", device, caps, real_.waveInGetDevCaps(device, caps));
}

std::uint32_t RecordingMultimedia::waveOutGetDevCaps(std::uint32_t device, std::span<std::uint8_t> caps) {
    return WaveCaps("outputs", device, caps, real_.waveOutGetDevCaps(device, caps));
}

std::uint32_t RecordingMultimedia::joyGetNumDevs() {
    const std::uint32_t slots = real_.joyGetNumDevs();
    record_.file["joysticks"]["slots"] = slots;
    return slots;
}

// A slot that answers "unplugged" is left out: the file's unlisted slots answer so.
std::uint32_t RecordingMultimedia::joyGetDevCaps(std::uint32_t joystick, std::span<std::uint8_t> caps) {
    const std::uint32_t result = real_.joyGetDevCaps(joystick, caps);
    if (result == kJoyErrUnplugged || result == kJoyErrParms) return result;
    FileJson entry = {{"slot", joystick}, {"result", result}};
    if (result == kMmSysErrNoError)
        entry = {{"slot", joystick},
                 {"name", record_.Text(ZeroEnded(caps, JoyCapsLayout::kPname, kPnameSize))},
                 {"axes", GetLe32(caps, JoyCapsLayout::kNumAxes)},
                 {"buttons", GetLe32(caps, JoyCapsLayout::kNumButtons)}};
    joysticks_[joystick] = entry;
    return result;
}

std::uint32_t RecordingMultimedia::joyGetPosEx(std::uint32_t joystick, std::span<std::uint8_t> info) {
    const std::uint32_t result = real_.joyGetPosEx(joystick, info);
    const auto found = joysticks_.find(joystick);
    if (found != joysticks_.end() && result == kJoyErrUnplugged) found->second["attached"] = false;
    return result;
}

void RecordingMultimedia::Finish() {
    FileJson& wave = record_.file["wave"];
    if (!wave.is_object()) return;
    for (const char* list : {"inputs", "outputs"}) {
        const char* countKey = list[0] == 'i' ? "input_count" : "output_count";
        wave[list] = Ordered(wave_[list], wave.value(countKey, 0u));
    }
    if (record_.file.contains("joysticks")) {
        FileJson devices = FileJson::array();
        for (auto& [slot, entry] : joysticks_) devices.push_back(entry);
        record_.file["joysticks"]["devices"] = devices;
    }
}

}  // namespace platform::recording
