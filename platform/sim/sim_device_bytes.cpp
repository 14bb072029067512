#include "platform/sim/sim_device_bytes.h"

namespace platform::sim {

namespace {

int Digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::vector<std::uint8_t> HexBytes(const Node& node) {
    if (!node.Json().is_string()) node.Fail("expected a string of hexadecimal bytes");
    const std::string text = node.Text();
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        const int high = Digit(text[i]);
        const int low = i + 1 < text.size() ? Digit(text[i + 1]) : -1;
        if (high < 0 || low < 0) node.Fail("expected hexadecimal digit pairs at character " + std::to_string(i + 1));
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        i += 2;
    }
    return bytes;
}

}  // namespace platform::sim
