// Display adapters, their monitors, the modes and the screen's capabilities,
// read back out of the records the machine filled in.
#include "base/bytes.h"
#include "platform/recording/recording_areas.h"

namespace platform::recording {

namespace {

using display::DevModeLayout;
using display::DisplayDeviceLayout;

std::uint32_t Le32(std::span<const std::uint8_t> record, std::size_t at) { return base::ReadLe32(record, at).value_or(0); }

FileJson& ListEntry(FileJson& list, std::size_t index, const FileJson& filler = FileJson::object()) {
    if (!list.is_array()) list = FileJson::array();
    while (list.size() <= index) list.push_back(filler);
    return list[index];
}

}  // namespace

bool RecordingDisplay::EnumDisplayDevices(std::optional<std::string_view> device, std::uint32_t index,
                                          std::span<std::uint8_t> record) {
    const bool ok = real_.EnumDisplayDevices(device, index, record);
    if (!ok || record.size() < DisplayDeviceLayout::kSize) return ok;
    const std::string name(ZeroEnded(record, DisplayDeviceLayout::kDeviceName, DisplayDeviceLayout::kDeviceNameLength));
    const std::string description = record_.Text(
        ZeroEnded(record, DisplayDeviceLayout::kDeviceString, DisplayDeviceLayout::kDeviceStringLength));
    FileJson& adapters = record_.file["display"]["adapters"];
    if (!device) {
        FileJson& adapter = ListEntry(adapters, index);
        adapter["name"] = record_.Text(name);
        adapter["description"] = description;
        adapter["primary"] = (Le32(record, DisplayDeviceLayout::kStateFlags) & display::kPrimaryDevice) != 0;
        if (!adapter.contains("monitors")) adapter["monitors"] = FileJson::array();
        return ok;
    }
    if (!adapters.is_array()) return ok;
    for (FileJson& adapter : adapters)
        if (adapter.value("name", "") == record_.Text(*device)) ListEntry(adapter["monitors"], index, "") = description;
    return ok;
}

bool RecordingDisplay::EnumDisplaySettings(std::optional<std::string_view> device, std::uint32_t mode,
                                           std::span<std::uint8_t> record) {
    const bool ok = real_.EnumDisplaySettings(device, mode, record);
    if (!ok || device || record.size() < DevModeLayout::kSize) return ok;
    ListEntry(record_.file["display"]["modes"], mode) = {{"width", Le32(record, DevModeLayout::kPelsWidth)},
                                                         {"height", Le32(record, DevModeLayout::kPelsHeight)},
                                                         {"bits", Le32(record, DevModeLayout::kBitsPerPel)},
                                                         {"refresh", Le32(record, DevModeLayout::kDisplayFrequency)}};
    return ok;
}

int RecordingDisplay::GetDeviceCaps(display::DeviceContext dc, int index) {
    const int answer = real_.GetDeviceCaps(dc, index);
    const char* key = index == display::kHorzRes    ? "width"
                      : index == display::kVertRes  ? "height"
                      : index == display::kBitsPixel ? "bits"
                      : index == display::kPlanes   ? "planes"
                      : index == display::kVRefresh ? "refresh"
                                                    : nullptr;
    if (key) record_.file["display"]["current"][key] = answer;
    return answer;
}

}  // namespace platform::recording
