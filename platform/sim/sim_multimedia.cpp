#include "platform/sim/sim_multimedia.h"

#include <algorithm>

#include "base/codepage.h"
#include "platform/multimedia_records.h"
#include "platform/sim/sim_areas.h"
#include "platform/sim/sim_text.h"

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

std::uint32_t SimMultimedia::joyGetPosEx(std::uint32_t joystick, std::span<std::uint8_t> info) {
    if (joystick >= joystickSlots || info.size() < JoyInfoExLayout::kSize ||
        GetLe32(info, JoyInfoExLayout::kDwSize) != JoyInfoExLayout::kSize)
        return kJoyErrParms;
    const auto found = joysticks.find(joystick);
    if (found == joysticks.end() || !found->second.attached) return kJoyErrUnplugged;
    // A joystick at rest: every position field 0, the record's size and flags as asked.
    std::fill(info.begin() + JoyInfoExLayout::kXpos, info.begin() + JoyInfoExLayout::kSize, std::uint8_t{0});
    return kMmSysErrNoError;
}

}  // namespace platform::sim

namespace platform::sim {

namespace {

constexpr std::uint64_t kMax32 = 0xFFFFFFFFu;
constexpr std::uint64_t kDefaultJoystickSlots = 16;
// Device counts and slots a machine file may give: far more than any driver
// reports, few enough that asking each number in turn stays quick.
constexpr std::uint64_t kMaxDeviceNumbers = 0xFFFF;

// A name as the 32-byte field holds it: in the machine's code page, at most 32 bytes.
std::string PnameText(const Node& node, base::CodePage page) {
    std::string name = MachineText(node, page);
    if (name.size() > kPnameSize) node.Fail("longer than the 32-byte name field");
    return name;
}

std::vector<SimMultimedia::WaveDevice> ReadWaveDevices(const Node& list, base::CodePage page) {
    std::vector<SimMultimedia::WaveDevice> devices;
    for (std::size_t i = 0; i < list.Size(); ++i) {
        const Node d = list.Element(i);
        d.OnlyKeys({"name", "version", "result"});
        SimMultimedia::WaveDevice device;
        if (auto name = d.Member("name")) device.name = PnameText(*name, page);
        device.driverVersion = static_cast<std::uint32_t>(d.Unsigned("version", kMax32, 0));
        device.result = static_cast<std::uint32_t>(d.Unsigned("result", kMax32, kMmSysErrNoError));
        devices.push_back(std::move(device));
    }
    return devices;
}

}  // namespace

void ReadWaveSection(const Node& section, SimAreas& areas) {
    section.OnlyKeys({"inputs", "outputs", "input_count", "output_count"});
    SimMultimedia& m = areas.multimedia;
    if (auto inputs = section.Member("inputs")) m.inputs = ReadWaveDevices(*inputs, areas.codePage);
    if (auto outputs = section.Member("outputs")) m.outputs = ReadWaveDevices(*outputs, areas.codePage);
    if (auto count = section.Member("input_count"))
        m.inputCount = static_cast<std::uint32_t>(count->Unsigned(kMaxDeviceNumbers));
    if (auto count = section.Member("output_count"))
        m.outputCount = static_cast<std::uint32_t>(count->Unsigned(kMaxDeviceNumbers));
}

void ReadJoysticksSection(const Node& section, SimAreas& areas) {
    section.OnlyKeys({"slots", "devices"});
    SimMultimedia& m = areas.multimedia;
    m.joystickSlots = static_cast<std::uint32_t>(section.Unsigned("slots", kMaxDeviceNumbers, kDefaultJoystickSlots));
    if (auto list = section.Member("devices")) {
        for (std::size_t i = 0; i < list->Size(); ++i) {
            const Node d = list->Element(i);
            d.OnlyKeys({"slot", "name", "axes", "buttons", "result", "attached"});
            const auto slotNode = d.Member("slot");
            if (!slotNode) d.Fail("a joystick needs its slot");
            const auto slot = static_cast<std::uint32_t>(slotNode->Unsigned(kMax32));
            if (m.joysticks.count(slot)) slotNode->Fail("slot " + std::to_string(slot) + " is given twice");
            SimMultimedia::Joystick joystick;
            if (auto name = d.Member("name")) joystick.name = PnameText(*name, areas.codePage);
            joystick.axes = static_cast<std::uint32_t>(d.Unsigned("axes", kMax32, 0));
            joystick.buttons = static_cast<std::uint32_t>(d.Unsigned("buttons", kMax32, 0));
            joystick.result = static_cast<std::uint32_t>(d.Unsigned("result", kMax32, kMmSysErrNoError));
            joystick.attached = d.Boolean("attached", true);
            m.joysticks.emplace(slot, std::move(joystick));
        }
    }
}

}  // namespace platform::sim
