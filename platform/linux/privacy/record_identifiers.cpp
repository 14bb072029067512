#include "platform/linux/privacy/record_identifiers.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

// udev properties that identify one disk, partition or file system. The
// ones ending in _SERIAL hold the model too ("Samsung_SSD_860_<serial>"):
// when the bare serial is there as well, only it is masked inside them.
constexpr std::array<std::string_view, 10> kUdevSerials = {
    "ID_SERIAL_SHORT", "ID_SCSI_SERIAL", "ID_USB_SERIAL_SHORT", "ID_WWN",           "ID_WWN_WITH_EXTENSION",
    "ID_FS_UUID",      "ID_FS_UUID_ENC", "ID_FS_UUID_SUB",      "ID_PART_ENTRY_UUID", "ID_PART_TABLE_UUID"};
constexpr std::array<std::string_view, 2> kUdevModelSerials = {"ID_SERIAL", "ID_USB_SERIAL"};
constexpr std::array<std::string_view, 3> kWwnPrefixes = {"0x", "eui.", "nvme."};
constexpr std::string_view kUniq = "U: Uniq=";
constexpr std::string_view kCpuinfoSerial = "Serial";

}  // namespace

void MaskUdevEntry(TextMasker& text) {
    std::vector<std::pair<std::string, MaskKind>> values;
    bool hasBareSerial = false;
    std::vector<std::string> modelSerials;
    const std::string_view t(text.Text());
    for (const std::string_view l : SplitLines(t)) {
        const std::size_t equals = l.find('=');
        if (!l.starts_with("E:") || equals == std::string_view::npos) continue;
        const auto key = l.substr(2, equals - 2);
        std::string value(l.substr(equals + 1));
        if (std::find(kUdevModelSerials.begin(), kUdevModelSerials.end(), key) != kUdevModelSerials.end()) {
            modelSerials.push_back(std::move(value));
            continue;
        }
        if (std::find(kUdevSerials.begin(), kUdevSerials.end(), key) == kUdevSerials.end()) continue;
        const bool serial = key.find("SERIAL") != std::string_view::npos;
        hasBareSerial = hasBareSerial || serial;
        // WWNs are written "0x5002538e40a1b2c3", NVMe's "eui.0025388b..." or
        // "nvme.1e0f-...": the prefix is no digit of the value.
        for (const std::string_view prefix : kWwnPrefixes)
            if (value.starts_with(prefix)) value.erase(0, prefix.size());
        values.emplace_back(std::move(value), serial ? MaskKind::kText : MaskKind::kHex);
    }
    if (!hasBareSerial)
        for (auto& value : modelSerials) values.emplace_back(std::move(value), MaskKind::kText);
    // Longest first, so that a value inside a longer one is masked as part of it.
    std::stable_sort(values.begin(), values.end(),
                     [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    for (const auto& [value, kind] : values) text.MaskEvery(value, kind);
}

void MaskCpuinfoSerial(TextMasker& text) {
    const std::string_view t(text.Text());
    for (const std::string_view l : SplitLines(t)) {
        const std::size_t colon = l.find(':');
        if (!l.starts_with(kCpuinfoSerial) || colon == std::string_view::npos) continue;
        text.Mask(l.substr(colon + 1), MaskKind::kHex);
    }
}

void MaskInputUniq(TextMasker& text) {
    const std::string_view t(text.Text());
    for (const std::string_view l : SplitLines(t)) {
        if (l.starts_with(kUniq) && l.size() > kUniq.size()) text.Mask(l.substr(kUniq.size()), MaskKind::kText);
    }
}

}  // namespace platform::linux_backend
