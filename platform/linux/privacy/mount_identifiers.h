#pragma once
// Identifiers in the mount table (/proc/self/mountinfo), found by what each
// field of a record is; the rest of the table still goes through
// MaskFreeText afterwards. Records are split as the mount-table parser
// splits them, so a value the parser takes is a value masked here.

#include "platform/linux/privacy/text_identifiers.h"

namespace platform::linux_backend {

// The source of a network file system as mountinfo shows it
// ("server:/export", "//server/share", "user@server:/dir", ceph's
// "mon1:6789,mon2:6789:/" and "user@fsid.fs=/"), the user names in an
// export path under a homes folder, and the addresses, user names and
// secrets among the super options ("addr=", "username=", "unc=\\server\share",
// ceph's "mon_addr=" and "name="). A server gets the same mask in the
// source and in the options.
void MaskMountInfo(TextMasker& text);

}  // namespace platform::linux_backend
