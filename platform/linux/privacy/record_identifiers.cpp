#include "platform/linux/privacy/record_identifiers.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace platform::linux_backend {

namespace {

// Options of network file systems that name a host or a user.
constexpr std::array<std::string_view, 8> kMountHostOptions = {"addr", "clientaddr", "mountaddr", "ip",
                                                               "username", "user", "domain", "unc"};
// udev properties that identify one disk, partition or file system. The
// ones ending in _SERIAL hold the model too ("Samsung_SSD_860_<serial>"):
// when the bare serial is there as well, only it is masked inside them.
constexpr std::array<std::string_view, 10> kUdevSerials = {
    "ID_SERIAL_SHORT", "ID_SCSI_SERIAL", "ID_USB_SERIAL_SHORT", "ID_WWN",           "ID_WWN_WITH_EXTENSION",
    "ID_FS_UUID",      "ID_FS_UUID_ENC", "ID_FS_UUID_SUB",      "ID_PART_ENTRY_UUID", "ID_PART_TABLE_UUID"};
constexpr std::array<std::string_view, 2> kUdevModelSerials = {"ID_SERIAL", "ID_USB_SERIAL"};
constexpr std::string_view kUniq = "U: Uniq=";
constexpr std::string_view kCpuinfoSerial = "Serial";

struct Line {
    std::size_t begin;
    std::size_t end;
};

std::vector<Line> Lines(std::string_view text) {
    std::vector<Line> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        lines.push_back({at, end});
        at = end + 1;
    }
    return lines;
}

// The fields of a line separated by blanks, as offsets into the text.
std::vector<Line> Fields(std::string_view text, Line line) {
    std::vector<Line> fields;
    std::size_t at = line.begin;
    while (at < line.end) {
        while (at < line.end && text[at] == ' ') ++at;
        const std::size_t end = std::min(text.find(' ', at), line.end);
        if (end > at) fields.push_back({at, end});
        at = end;
    }
    return fields;
}

void MaskHost(TextMasker& text, std::size_t begin, std::size_t end) {
    if (!IsLoopbackHost(std::string_view(text.Text()).substr(begin, end - begin)))
        text.Mask(begin, end - begin, MaskKind::kText);
}

void MaskMountSource(TextMasker& text, Line source) {
    const std::string_view t(text.Text());
    const std::string_view value = t.substr(source.begin, source.end - source.begin);
    if (value.starts_with("//")) {  // cifs, smb3: //server/share
        const std::size_t host = source.begin + 2;
        MaskHost(text, host, std::min(t.find('/', host), source.end));
        return;
    }
    // nfs, sshfs, ceph: [user@]server:/export
    const std::size_t colon = value.find(':');
    if (value.empty() || value.front() == '/' || colon == std::string_view::npos || colon == 0) return;
    std::size_t host = source.begin;
    if (const std::size_t at = value.rfind('@', colon); at != std::string_view::npos) {
        text.Mask(source.begin, at, MaskKind::kText);
        host = source.begin + at + 1;
    }
    MaskHost(text, host, source.begin + colon);
}

void MaskMountOptions(TextMasker& text, Line options) {
    const std::string_view t(text.Text());
    std::size_t at = options.begin;
    while (at < options.end) {
        const std::size_t end = std::min(t.find(',', at), options.end);
        const std::string_view option = t.substr(at, end - at);
        if (const std::size_t equals = option.find('='); equals != std::string_view::npos) {
            const auto key = option.substr(0, equals);
            if (std::find(kMountHostOptions.begin(), kMountHostOptions.end(), key) != kMountHostOptions.end())
                MaskHost(text, at + equals + 1, end);
        }
        at = end + 1;
    }
}

}  // namespace

void MaskMountInfo(TextMasker& text) {
    const std::string_view t(text.Text());
    for (const Line line : Lines(t)) {
        const auto fields = Fields(t, line);
        // ... optional fields, "-", file-system type, source, super options.
        const auto dash = std::find_if(fields.begin(), fields.end(), [&](Line f) {
            return t.substr(f.begin, f.end - f.begin) == "-";
        });
        if (dash == fields.end() || fields.end() - dash < 3) continue;
        const Line source = *(dash + 2);
        MaskMountSource(text, source);
        if (fields.end() - dash >= 4) MaskMountOptions(text, *(dash + 3));
    }
}

void MaskUdevEntry(TextMasker& text) {
    std::vector<std::pair<std::string, MaskKind>> values;
    bool hasBareSerial = false;
    std::vector<std::string> modelSerials;
    const std::string_view t(text.Text());
    for (const Line line : Lines(t)) {
        const std::string_view l = t.substr(line.begin, line.end - line.begin);
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
        // WWNs are written "0x5002538e40a1b2c3": the prefix is no digit of the value.
        if (value.starts_with("0x")) value.erase(0, 2);
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
    for (const Line line : Lines(t)) {
        const std::string_view l = t.substr(line.begin, line.end - line.begin);
        const std::size_t colon = l.find(':');
        if (!l.starts_with(kCpuinfoSerial) || colon == std::string_view::npos) continue;
        text.Mask(line.begin + colon + 1, l.size() - colon - 1, MaskKind::kHex);
    }
}

void MaskInputUniq(TextMasker& text) {
    const std::string_view t(text.Text());
    for (const Line line : Lines(t)) {
        const std::string_view l = t.substr(line.begin, line.end - line.begin);
        if (l.starts_with(kUniq) && l.size() > kUniq.size())
            text.Mask(line.begin + kUniq.size(), l.size() - kUniq.size(), MaskKind::kText);
    }
}

}  // namespace platform::linux_backend
