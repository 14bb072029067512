#include "platform/linux/privacy/privacy_filter.h"

#include <algorithm>
#include <span>

#include "platform/linux/io/root_fs.h"
#include "platform/linux/parsers/mountinfo.h"
#include "platform/linux/parsers/text_fields.h"
#include "platform/linux/privacy/binary_identifiers.h"
#include "platform/linux/privacy/privacy_key.h"
#include "platform/linux/privacy/mount_identifiers.h"
#include "platform/linux/privacy/record_identifiers.h"

namespace platform::linux_backend {

namespace {

std::string_view LastComponent(std::string_view path) { return path.substr(path.rfind('/') + 1); }

std::span<std::uint8_t> BytesIn(std::string& content) {
    return {reinterpret_cast<std::uint8_t*>(content.data()), content.size()};
}

bool IsUnder(std::string_view path, std::string_view directory) {
    return path == directory || (path.starts_with(directory) && path.size() > directory.size() &&
                                 path[directory.size()] == '/');
}

}  // namespace

std::unique_ptr<PrivacyFilter> PrivacyFilter::ForThisSystem() {
    return std::make_unique<PrivacyFilter>(PrivacyKeyOfThisSystem(), LocalNamesOfThisSystem());
}

// This system's host name is masked as a word only where a host may be
// named: a machine called "debian" must keep the ID of its os-release.
LocalNames PrivacyFilter::NamesFor(bool hostsMayAppear) const {
    return hostsMayAppear ? names_ : LocalNames{names_.users, {}};
}

std::string PrivacyFilter::MaskFile(std::string_view path, std::string content) const {
    if (IsTreeBookkeeping(path)) return content;
    const std::string_view name = LastComponent(path);
    if (path.starts_with("/sys/")) {
        // Binary attributes: the records in them, and no text rules.
        if (name == "vpd_pg80" || name == "vpd_pg89") {
            MaskVpdPage(BytesIn(content), mask_);
            return content;
        }
        if (name == "edid") {
            MaskEdid(BytesIn(content), mask_);
            return content;
        }
        if (name == "descriptors") return content;
        // Disks (NVMe, MMC, virtio, SCSI) and USB devices: the whole attribute.
        if (name == "serial") {
            mask_.Text(content);
            return content;
        }
    }
    const bool mountTable = path == "/proc/self/mountinfo";
    const std::string real = mountTable ? content : std::string();
    TextMasker masker(content, mask_);
    if (mountTable) MaskMountInfo(masker);
    else if (path.starts_with("/run/udev/data/")) MaskUdevEntry(masker);
    else if (path == "/proc/cpuinfo") MaskCpuinfoSerial(masker);
    MaskFreeText(masker, NamesFor(path == "/proc/self/mountinfo"));
    // After the MAC addresses, which Uniq lines of Bluetooth devices hold.
    if (path == "/proc/bus/input/devices") MaskInputUniq(masker);
    if (mountTable) NoteMountPoints(real, content);
    return content;
}

// Masks keep every line and every blank, so the n-th line of the masked
// table is the n-th of the real one and its fifth field the same mount point.
void PrivacyFilter::NoteMountPoints(std::string_view real, std::string_view masked) const {
    const auto realLines = SplitLines(real);
    const auto maskedLines = SplitLines(masked);
    if (realLines.size() != maskedLines.size()) return;
    for (std::size_t i = 0; i < realLines.size(); ++i) {
        const auto realFields = SplitBlanks(realLines[i]);
        const auto maskedFields = SplitBlanks(maskedLines[i]);
        if (realFields.size() < 5 || maskedFields.size() != realFields.size() || realFields[4] == maskedFields[4])
            continue;
        realMountPoints_.insert_or_assign(UnescapeMountField(maskedFields[4]), UnescapeMountField(realFields[4]));
    }
}

base::Bytes PrivacyFilter::MaskReply(std::string_view channel, std::string_view request, base::Bytes reply) {
    if (channel == "ata" && request.ends_with(".identify")) {
        MaskIdentifyData(reply, mask_);
    } else if (channel == "scsi" && request.find(".cdb-120180") != std::string_view::npos) {
        // INQUIRY of the unit serial number page.
        MaskVpdPage(reply, mask_);
    } else if (channel == "cpuid" && request == "00000003") {
        MaskCpuidSerial(reply, mask_);
    } else if (channel == "blkid" || channel == "cups" || channel == "session") {
        std::string text(reply.begin(), reply.end());
        TextMasker masker(text, mask_);
        if (channel == "blkid") {
            // Type, label and UUID, each ended by NUL.
            const std::size_t label = text.find('\0');
            const std::size_t uuid = label == std::string::npos ? label : text.find('\0', label + 1);
            if (uuid != std::string::npos)
                masker.Mask(uuid + 1, std::min(text.find('\0', uuid + 1), text.size()) - uuid - 1, MaskKind::kHex);
        }
        MaskFreeText(masker, NamesFor(channel != "blkid"));
        if (channel == "session") {
            realConfig_.assign(reply.begin(), reply.end());
            maskedConfig_ = text;
        }
        reply.assign(text.begin(), text.end());
    }
    return reply;
}

std::string PrivacyFilter::RealPath(std::string_view path) const {
    if (const auto mount = realMountPoints_.find(path); mount != realMountPoints_.end()) return mount->second;
    if (maskedConfig_.empty() || maskedConfig_ == realConfig_ || !IsUnder(path, maskedConfig_)) return std::string(path);
    return realConfig_ + std::string(path.substr(maskedConfig_.size()));
}

}  // namespace platform::linux_backend
