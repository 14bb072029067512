#pragma once
// What the masks of this system are made with: a key and the local names.
//
// The key comes from VELTRIX_PRIVACY_KEY when it is set (any text: the same
// text gives the same masks on any machine; a fresh random one per capture
// makes captures impossible to link), else from the systemd machine ID
// (/etc/machine-id, else /var/lib/dbus/machine-id), hashed with a key of
// our own so the ID itself is never used. The machine ID is not in any
// capture, so whoever reads a capture cannot recompute a mask and try every
// MAC address of a vendor or every serial of a model against it; and it stays
// the same from run to run, so a masked capture and a later masked report of
// the same machine agree. Without either, a fixed public key is used, and
// the masks then only keep the identifiers from a casual reader
// (docs/captures.md, "Privacy").

#include <string>

#include "platform/linux/privacy/keyed_hash.h"
#include "platform/linux/privacy/text_identifiers.h"

namespace platform::linux_backend {

inline constexpr const char* kPrivacyKeyVariable = "VELTRIX_PRIVACY_KEY";

// The key made from any text.
HashKey PrivacyKeyFrom(std::string_view material);
// The key of this system, as above.
HashKey PrivacyKeyOfThisSystem();
// The host name of this system, and the login name of the user running the
// program when it is a person's account (user ID 1000 or above).
LocalNames LocalNamesOfThisSystem();

}  // namespace platform::linux_backend
