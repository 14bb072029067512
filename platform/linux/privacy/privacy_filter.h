#pragma once
// The privacy filter of the Linux backend: every file the backend reads and
// every reply it is given passes through it when the report or the capture
// is asked to hide identifiers (--privacy). It masks MAC addresses, serial
// numbers (disks, volumes, USB devices, monitors, the processor), host names
// and credentials in URIs and network mounts, and user names in paths, each
// by what the file or reply is (privacy/*_identifiers.h), with one mask per
// identifier (identifier_mask.h).
//
// Because the backend sees only masked bytes, the report of a masked run and
// the report of a capture made by a masked run are the same: the capture holds
// the masked files at their paths and the masked replies.
//
// Paths the backend builds from a masked reply (the user's configuration
// directory, "/home/<user>/.config", or a stick mounted under its serial,
// "/media/<user>/<serial>") name nothing on the disk; RealPath turns them
// back into the path to open or to ask statvfs for. The capture keeps the
// masked path.

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "base/bytes.h"
#include "platform/linux/privacy/identifier_mask.h"
#include "platform/linux/privacy/text_identifiers.h"

namespace platform::linux_backend {

class PrivacyFilter {
public:
    PrivacyFilter(HashKey key, LocalNames names) : mask_(key), names_(std::move(names)) {}
    // With the key and the names of this system (privacy_key.h).
    static std::unique_ptr<PrivacyFilter> ForThisSystem();

    // `path` is the path the backend asked for (absolute, under the root).
    std::string MaskFile(std::string_view path, std::string content) const;
    base::Bytes MaskReply(std::string_view channel, std::string_view request, base::Bytes reply);
    // The path to open for a path the backend asked for.
    std::string RealPath(std::string_view path) const;

private:
    LocalNames NamesFor(bool hostsMayAppear) const;
    void NoteMountPoints(std::string_view real, std::string_view masked) const;

    IdentifierMask mask_;
    LocalNames names_;
    // The user's configuration directory as it really is, and masked.
    std::string realConfig_;
    std::string maskedConfig_;
    // Each masked mount point of the mount table and the real one.
    mutable std::map<std::string, std::string, std::less<>> realMountPoints_;
};

}  // namespace platform::linux_backend
