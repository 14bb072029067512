#pragma once
// The udev database entry of a block device (/run/udev/data/b<major>:<minor>,
// readable by every user): "E:KEY=value" lines carry the properties udev
// found, among them the file system's type, label and UUID.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace platform::linux_backend {

// What a volume says of itself: UTF-8 texts, empty when unknown.
struct VolumeIdentity {
    std::string type;
    std::string label;
    std::string uuid;
};

std::map<std::string, std::string, std::less<>> ParseUdevProperties(std::string_view text);

// Nothing when the entry names no file system. The label comes from
// ID_FS_LABEL_ENC (exact, \xHH escapes) before ID_FS_LABEL (unsafe
// characters replaced by "_").
std::optional<VolumeIdentity> VolumeIdentityFromUdev(std::string_view text);

// "\x20" gives a blank; anything else stands as written.
std::string DecodeUdevEscapes(std::string_view text);

}  // namespace platform::linux_backend
