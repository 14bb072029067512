#include "platform/linux/privacy/disk_names.h"

#include <algorithm>
#include <array>

namespace platform::linux_backend {

namespace {

constexpr std::string_view kByIdFolder = "by-id/";
constexpr std::array<std::string_view, 2> kByUuidFolders = {"by-uuid/", "by-partuuid/"};
constexpr std::array<std::string_view, 2> kChosenNames = {"dm-name-", "md-name-"};
constexpr std::string_view kPartitionSuffix = "-part";
constexpr std::string_view kEuiPrefix = "eui.";
constexpr std::string_view kNvmeIdPrefix = "nvme.";
constexpr std::string_view kHexPrefix = "0x";
constexpr std::string_view kUuidPart = "uuid-";
// The digits of an NVMe namespace udev appends to a name ("_1").
constexpr std::size_t kNamespaceDigits = 3;
// Pieces of a device-mapper or RAID UUID name long enough to be an ID.
constexpr std::size_t kIdPieceLength = 16;
constexpr std::size_t kFatSerialLength = 9;    // B7D2-9F4E
constexpr std::size_t kNtfsSerialLength = 16;  // 1A2B3C4D5E6F7081

bool EndsLink(char c) {
    return c == '/' || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\0' || c == '\\' || c == '"' ||
           c == '\'' || c == ',';
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool AllHex(std::string_view text) { return std::all_of(text.begin(), text.end(), IsHex); }

// "-part3", "-0:0" (a USB disk's LUN) and, for NVMe, "_1" are no part of the serial.
std::string_view WithoutSuffixes(std::string_view name) {
    if (const std::size_t part = name.rfind(kPartitionSuffix);
        part != std::string_view::npos && AllDigits(name.substr(part + kPartitionSuffix.size())))
        name = name.substr(0, part);
    if (const std::size_t lun = name.rfind('-'); lun != std::string_view::npos) {
        const std::string_view tail = name.substr(lun + 1);
        const std::size_t colon = tail.find(':');
        if (colon != std::string_view::npos && AllDigits(tail.substr(0, colon)) && AllDigits(tail.substr(colon + 1)))
            name = name.substr(0, lun);
    }
    if (name.starts_with("nvme-")) {
        const std::size_t last = name.rfind('_');
        if (last != std::string_view::npos && name.size() - last - 1 <= kNamespaceDigits &&
            AllDigits(name.substr(last + 1)) && name.find('_') < last)
            name = name.substr(0, last);
    }
    return name;
}

void MaskUuidName(TextMasker& text, std::string_view uuids) {
    std::size_t at = 0;
    while (at < uuids.size()) {
        const std::size_t end = std::min(uuids.find('-', at), uuids.size());
        if (end - at >= kIdPieceLength) text.Mask(uuids.substr(at, end - at), MaskKind::kText);
        at = end + 1;
    }
}

void MaskByIdName(TextMasker& text, std::string_view name) {
    if (std::any_of(kChosenNames.begin(), kChosenNames.end(), [&](auto prefix) { return name.starts_with(prefix); }))
        return;
    name = WithoutSuffixes(name);
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos) return;
    const std::string_view id = name.substr(dash + 1);
    if (id.starts_with(kEuiPrefix)) return (void)text.Mask(id.substr(kEuiPrefix.size()), MaskKind::kHex);
    if (id.starts_with(kNvmeIdPrefix)) return (void)text.Mask(id.substr(kNvmeIdPrefix.size()), MaskKind::kHex);
    if (const std::size_t uuid = name.find(kUuidPart); uuid != std::string_view::npos)
        return MaskUuidName(text, name.substr(uuid + kUuidPart.size()));
    // wwn-0x<wwn>, ieee1394-0x<guid>, mmc-<name>_0x<serial>
    if (const std::size_t hex = id.rfind(kHexPrefix);
        hex != std::string_view::npos && (hex == 0 || id[hex - 1] == '_') && AllHex(id.substr(hex + 2)))
        return (void)text.Mask(id.substr(hex + kHexPrefix.size()), MaskKind::kHex);
    const std::size_t underscore = id.rfind('_');
    text.Mask(underscore == std::string_view::npos ? id : id.substr(underscore + 1), MaskKind::kText);
}

std::string_view LinkNameAt(std::string_view t, std::size_t begin) {
    std::size_t end = begin;
    while (end < t.size() && !EndsLink(t[end])) ++end;
    return t.substr(begin, end - begin);
}

bool IsVolumeSerial(std::string_view component) {
    if (component.size() == kNtfsSerialLength) return AllHex(component);
    return component.size() == kFatSerialLength && component[4] == '-' && AllHex(component.substr(0, 4)) &&
           AllHex(component.substr(5));
}

}  // namespace

void MaskDiskLinks(TextMasker& text) {
    const std::string_view t = text.Text();
    for (std::size_t at = t.find(kByIdFolder); at != std::string_view::npos; at = t.find(kByIdFolder, at + 1)) {
        const std::string_view name = LinkNameAt(t, at + kByIdFolder.size());
        if (!name.empty()) MaskByIdName(text, name);
    }
    for (const std::string_view folder : kByUuidFolders)
        for (std::size_t at = t.find(folder); at != std::string_view::npos; at = t.find(folder, at + 1)) {
            const std::string_view name = LinkNameAt(t, at + folder.size());
            if (!name.empty()) text.Mask(name, MaskKind::kHex);
        }
}

void MaskVolumeSerialsInPaths(TextMasker& text) {
    const std::string_view t = text.Text();
    for (std::size_t at = t.find('/'); at != std::string_view::npos; at = t.find('/', at + 1)) {
        const std::size_t end = NameEnd(t, at + 1);
        const std::string_view component = t.substr(at + 1, end - at - 1);
        if (IsVolumeSerial(component)) text.Mask(component, MaskKind::kHex);
    }
}

}  // namespace platform::linux_backend
