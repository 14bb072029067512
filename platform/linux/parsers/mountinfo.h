#pragma once
// /proc/self/mountinfo: one mounted file system a line, in mount order.
//   36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw,errors=continue
// (mount ID, parent ID, major:minor, root, mount point, options, optional
// fields up to "-", file-system type, source, super options). Blanks, tabs,
// newlines and backslashes in paths are written as octal escapes (\040).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::linux_backend {

struct MountEntry {
    std::uint32_t mountId = 0;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::string mountPoint;  // unescaped
    std::string fsType;      // "ext4", "nfs4", "fuse.sshfs"
    std::string source;      // unescaped: "/dev/sda1", "server:/export", "tmpfs"
};

// Lines that do not have the fields are skipped; the others keep their order.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// "\040" gives a blank; a backslash not followed by three octal digits stays.
std::string UnescapeMountField(std::string_view field);

}  // namespace platform::linux_backend
