#include "platform/linux/parsers/mountinfo.h"

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

}  // namespace

std::string UnescapeMountField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) && IsOctal(field[i + 2]) &&
            IsOctal(field[i + 3])) {
            const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            if (value <= 0xFF) {
                out += static_cast<char>(value);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountEntry> entries;
    for (const auto line : SplitLines(text)) {
        const auto fields = SplitBlanks(line);
        // Six fixed fields, optional ones, the "-" separator, then type and source.
        std::size_t separator = 6;
        while (separator < fields.size() && fields[separator] != "-") ++separator;
        if (separator + 1 >= fields.size()) continue;
        const auto devices = Split(fields[2], ':');
        if (devices.size() != 2) continue;
        const std::uint64_t mountId = ParseDecimal(fields[0]).value_or(UINT64_MAX);
        const std::uint64_t major = ParseDecimal(devices[0]).value_or(UINT64_MAX);
        const std::uint64_t minor = ParseDecimal(devices[1]).value_or(UINT64_MAX);
        if (mountId > UINT32_MAX || major > UINT32_MAX || minor > UINT32_MAX) continue;
        MountEntry entry;
        entry.mountId = static_cast<std::uint32_t>(mountId);
        entry.major = static_cast<std::uint32_t>(major);
        entry.minor = static_cast<std::uint32_t>(minor);
        entry.mountPoint = UnescapeMountField(fields[4]);
        entry.fsType = UnescapeMountField(fields[separator + 1]);
        if (separator + 2 < fields.size()) entry.source = UnescapeMountField(fields[separator + 2]);
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace platform::linux_backend
