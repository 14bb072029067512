#pragma once
// The IDENTIFY DEVICE data of a physical disk. An ATA disk gives its own:
// from the ATA Information VPD page in sysfs (readable by every user), else,
// where allowed, from the drive itself (recorded as channel "ata", request
// "<disk>.identify"). Any other disk gets a block made from what the kernel
// knows of it: NVMe model, serial and firmware; SCSI and USB vendor, model,
// revision and unit serial number; MMC name, serial and firmware; virtio's
// serial. The sysfs model and revision of an ATA disk are cut short and are
// never used.

#include <optional>
#include <string>
#include <string_view>

#include "platform/identify_block.h"
#include "platform/linux/io/replies.h"
#include "platform/linux/io/root_fs.h"

namespace platform::linux_backend {

inline constexpr std::string_view kAtaChannel = "ata";

// ATA Information VPD page (89h): IDENTIFY data at bytes 60-571.
std::optional<IdentifyBlock> IdentifyFromVpd89(std::string_view page);
// Unit Serial Number VPD page (80h): the serial after the 4-byte header, blanks trimmed.
std::string SerialFromVpd80(std::string_view page);

IdentifyBlock DiskIdentify(const RootFs& fs, ReplySource& replies, const std::string& disk);

}  // namespace platform::linux_backend
