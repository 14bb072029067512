#pragma once
// /proc/sys/dev/cdrom/info: a table whose columns are the optical drives
// ("drive name:  sr1  sr0") and whose rows are their abilities
// ("Can read DVD:  1  0").

#include <map>
#include <string>
#include <string_view>

namespace platform::linux_backend {

// Each drive named in the table and whether it reads DVD.
std::map<std::string, bool> DrivesReadingDvd(std::string_view info);

}  // namespace platform::linux_backend
