#include "platform/linux/areas/disk_identity.h"

#include <algorithm>

#include "base/bytes.h"
#include "base/codepage.h"
#include "platform/linux/areas/block_devices.h"
#include "platform/linux/io/scsi_pass_through.h"
#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

constexpr std::size_t kVpd89IdentifyOffset = 60;
// A VPD page: device type, page code, the page's length (big-endian), then the page.
constexpr std::size_t kVpdPageCode = 1;
constexpr std::size_t kVpdPageLength = 2;
constexpr std::size_t kVpdHeader = 4;

// A sysfs attribute as single-byte text, blanks trimmed.
std::string Text(const RootFs& fs, const std::string& disk, std::string_view attribute) {
    const auto content = fs.ReadFile("/sys/block/" + disk + "/" + std::string(attribute), 4096);
    if (!content) return {};
    return base::EncodeWindows1252(base::DecodeUtf8(Trim(*content)));
}

std::string Joined(std::string a, const std::string& b) {
    if (a.empty()) return b;
    return b.empty() ? a : a + " " + b;
}

}  // namespace

std::optional<IdentifyBlock> IdentifyFromVpd89(std::string_view page) {
    if (page.size() < kVpd89IdentifyOffset + identify::kLength || static_cast<std::uint8_t>(page[kVpdPageCode]) != 0x89)
        return std::nullopt;
    IdentifyBlock block;
    std::copy_n(page.begin() + kVpd89IdentifyOffset, identify::kLength, block.begin());
    return block;
}

std::string SerialFromVpd80(std::string_view page) {
    if (page.size() < kVpdHeader || static_cast<std::uint8_t>(page[kVpdPageCode]) != 0x80) return {};
    const std::size_t length = *base::ReadBe16(base::BytesOf(page), kVpdPageLength);
    const auto serial = page.substr(kVpdHeader, std::min(length, page.size() - kVpdHeader));
    const auto text = std::string(Trim(serial.substr(0, serial.find('\0'))));
    return base::EncodeWindows1252(base::DecodeUtf8(text));
}

IdentifyBlock DiskIdentify(const RootFs& fs, ReplySource& replies, const std::string& disk) {
    const std::string device = "/sys/block/" + disk + "/device/";
    switch (WholeDiskKind(disk).value_or(DiskKind::kOther)) {
        case DiskKind::kScsi: {
            if (const auto page = fs.ReadFile(device + "vpd_pg89"))
                if (const auto block = IdentifyFromVpd89(*page)) return *block;
            const auto page80 = fs.ReadFile(device + "vpd_pg80");
            const std::string serial = page80 ? SerialFromVpd80(*page80) : std::string();
            const bool ata = disk.starts_with("hd") || Text(fs, disk, "device/vendor") == "ATA";
            if (ata) {
                const auto reply = replies.Ask(kAtaChannel, disk + ".identify", [&] {
                    return disk.starts_with("hd") ? IdeIdentity("/dev/" + disk) : AtaIdentify("/dev/" + disk);
                });
                if (reply && reply->size() == identify::kLength) {
                    IdentifyBlock block;
                    std::copy(reply->begin(), reply->end(), block.begin());
                    return block;
                }
                return MakeIdentifyBlock({}, {}, serial);
            }
            return MakeIdentifyBlock(Joined(Text(fs, disk, "device/vendor"), Text(fs, disk, "device/model")),
                                     Text(fs, disk, "device/rev"), serial);
        }
        case DiskKind::kNvme:
            return MakeIdentifyBlock(Text(fs, disk, "device/model"), Text(fs, disk, "device/firmware_rev"),
                                     Text(fs, disk, "device/serial"));
        case DiskKind::kMmc:
            return MakeIdentifyBlock(Text(fs, disk, "device/name"), Text(fs, disk, "device/fwrev"),
                                     Text(fs, disk, "device/serial"));
        case DiskKind::kVirtio:
            return MakeIdentifyBlock({}, {}, Text(fs, disk, "serial"));
        case DiskKind::kOther:
            break;
    }
    return MakeIdentifyBlock(Text(fs, disk, "device/model"), Text(fs, disk, "device/rev"),
                             Text(fs, disk, "device/serial"));
}

}  // namespace platform::linux_backend
