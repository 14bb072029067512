#include "platform/recording/machine_record.h"

#include <algorithm>

namespace platform::recording {

std::string MachineRecord::Text(std::string_view machineBytes) const {
    return base::EncodeUtf8(base::DecodeText(codePage, machineBytes));
}

bool MachineRecord::TextKeepsBytes(std::string_view machineBytes) const {
    if (machineBytes.find('\0') != std::string_view::npos) return false;
    return base::EncodeText(codePage, base::DecodeUtf8(Text(machineBytes))) == machineBytes;
}

std::string HexPairs(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const std::uint8_t b : bytes) {
        if (!text.empty()) text += ' ';
        text += kDigits[b >> 4];
        text += kDigits[b & 0xF];
    }
    return text;
}

std::string_view ZeroEnded(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t limit) {
    if (offset >= bytes.size()) return {};
    const auto* begin = reinterpret_cast<const char*>(bytes.data()) + offset;
    const std::size_t room = std::min(bytes.size() - offset, limit);
    const std::string_view field(begin, room);
    return field.substr(0, field.find('\0'));
}

}  // namespace platform::recording
