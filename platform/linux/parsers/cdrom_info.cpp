#include "platform/linux/parsers/cdrom_info.h"

#include <vector>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

// The cells after the row's caption (which ends with ":").
std::vector<std::string_view> Row(std::string_view info, std::string_view caption) {
    for (const auto line : SplitLines(info))
        if (line.starts_with(caption)) return SplitBlanks(line.substr(caption.size()));
    return {};
}

}  // namespace

std::map<std::string, bool> DrivesReadingDvd(std::string_view info) {
    const auto names = Row(info, "drive name:");
    const auto dvd = Row(info, "Can read DVD:");
    std::map<std::string, bool> drives;
    for (std::size_t i = 0; i < names.size(); ++i) drives[std::string(names[i])] = i < dvd.size() && dvd[i] == "1";
    return drives;
}

}  // namespace platform::linux_backend
