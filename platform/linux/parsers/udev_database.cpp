#include "platform/linux/parsers/udev_database.h"

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::map<std::string, std::string, std::less<>> ParseUdevProperties(std::string_view text) {
    std::map<std::string, std::string, std::less<>> properties;
    for (const auto line : SplitLines(text)) {
        if (!line.starts_with("E:")) continue;
        const auto assignment = line.substr(2);
        const auto equals = assignment.find('=');
        if (equals == std::string_view::npos || equals == 0) continue;
        properties[std::string(assignment.substr(0, equals))] = std::string(assignment.substr(equals + 1));
    }
    return properties;
}

std::string DecodeUdevEscapes(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            const int high = HexValue(text[i + 2]);
            const int low = HexValue(text[i + 3]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high << 4 | low);
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::optional<VolumeIdentity> VolumeIdentityFromUdev(std::string_view text) {
    const auto properties = ParseUdevProperties(text);
    const auto value = [&](std::string_view key) {
        const auto it = properties.find(key);
        return it == properties.end() ? std::string() : it->second;
    };
    VolumeIdentity identity;
    identity.type = value("ID_FS_TYPE");
    if (identity.type.empty()) return std::nullopt;
    const auto encoded = properties.find("ID_FS_LABEL_ENC");
    identity.label = encoded != properties.end() ? DecodeUdevEscapes(encoded->second) : value("ID_FS_LABEL");
    identity.uuid = value("ID_FS_UUID");
    return identity;
}

}  // namespace platform::linux_backend
