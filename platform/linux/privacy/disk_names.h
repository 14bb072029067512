#pragma once
// The names of disks and volumes that stand in paths, in any text: the
// links of /dev/disk that name a disk by its serial or a volume by its UUID
// (in the udev database and in mount sources alike), and volume serial
// numbers used as a mount point's name, as desktops mount an unlabelled
// stick: /media/<user>/B7D2-9F4E.

#include "platform/linux/privacy/text_identifiers.h"

namespace platform::linux_backend {

// by-uuid/<uuid> and by-partuuid/<uuid> whole, as hex (the UUID's mask
// everywhere); by-id/<name>: the serial in it, as udev writes it into the
// name ("ata-<model>_<serial>-part1", "usb-<vendor>_<model>_<serial>-0:0",
// "nvme-<model>_<serial>_1", "wwn-0x<wwn>", "nvme-eui.<eui>",
// "mmc-<name>_0x<serial>", "virtio-<serial>"), so it gets the mask the same
// serial gets in the udev database and the IDENTIFY data. Names an
// administrator chose (dm-name-, md-name-) are kept.
void MaskDiskLinks(TextMasker& text);

// A whole path component that is a FAT or exFAT volume serial
// ("B7D2-9F4E") or an NTFS one (sixteen hex digits), as hex; the
// 8-4-4-4-12 UUIDs of other file systems are masked wherever they stand.
void MaskVolumeSerialsInPaths(TextMasker& text);

}  // namespace platform::linux_backend
