#pragma once
// Two recorded replies about volumes (docs/captures.md):
// - "blkid", request <device name> ("sdb1"): what libblkid found on the
//   device, three UTF-8 texts each ended by NUL: type, label, UUID.
// - "statvfs", request <mount ID>: the volume's figures from statvfs,
//   64-bit little-endian each: fragment size, total blocks, free blocks,
//   blocks available to the user.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/bytes.h"
#include "platform/drive_services.h"
#include "platform/linux/parsers/udev_database.h"

namespace platform::linux_backend {

using base::Bytes;

inline constexpr std::string_view kBlkidChannel = "blkid";
inline constexpr std::string_view kStatvfsChannel = "statvfs";

Bytes EncodeBlkidReply(const VolumeIdentity& identity);
// Nothing unless the reply is exactly three NUL-ended texts.
std::optional<VolumeIdentity> DecodeBlkidReply(const Bytes& reply);
// Probes the device file with libblkid; nothing when it cannot be read or
// holds no file system.
std::optional<VolumeIdentity> ProbeVolume(const std::string& devicePath);

struct VolumeFigures {
    std::uint64_t fragmentSize = 0;
    std::uint64_t blocks = 0;
    std::uint64_t freeBlocks = 0;
    std::uint64_t availableBlocks = 0;
};
inline constexpr std::size_t kStatvfsReplySize = 32;

Bytes EncodeStatvfsReply(const VolumeFigures& figures);
std::optional<VolumeFigures> DecodeStatvfsReply(const Bytes& reply);
// statvfs on the mount point.
std::optional<VolumeFigures> StatVolume(const std::string& mountPoint);
// The same, given up after `limit` (a dead network server must not hold the
// caller); the stuck call is left to finish on its own thread.
std::optional<VolumeFigures> StatVolume(const std::string& mountPoint, std::chrono::milliseconds limit);

// The figures as clusters: 512-byte sectors where the fragment size allows,
// the sectors per cluster doubled (and the counts halved) until the total
// fits in 31 bits. Free space is what the user may use. Nothing for a
// fragment size of 0.
std::optional<DiskFreeSpace> ClustersOfVolume(const VolumeFigures& figures);

}  // namespace platform::linux_backend
