#include "platform/linux/parsers/cups_destinations.h"

#include <algorithm>

namespace platform::linux_backend {

namespace {

void AppendText(Bytes& out, const std::string& text) {
    // A NUL inside a text would end it early and shift every later field.
    for (char c : text)
        if (c != '\0') out.push_back(static_cast<std::uint8_t>(c));
    out.push_back(0);
}

}  // namespace

Bytes EncodeCupsDestinations(const std::vector<CupsDestination>& destinations) {
    Bytes out;
    for (const auto& d : destinations) {
        AppendText(out, d.name);
        AppendText(out, d.deviceUri);
        AppendText(out, d.makeAndModel);
        AppendText(out, d.info);
        AppendText(out, d.location);
        AppendText(out, d.isDefault ? "1" : "0");
    }
    return out;
}

std::optional<std::vector<CupsDestination>> DecodeCupsDestinations(const Bytes& reply) {
    std::vector<std::string> texts;
    auto start = reply.begin();
    while (start != reply.end()) {
        const auto end = std::find(start, reply.end(), std::uint8_t{0});
        if (end == reply.end()) return std::nullopt;  // the last text has no end
        texts.emplace_back(start, end);
        start = end + 1;
    }
    if (texts.size() % kCupsDestinationFields != 0) return std::nullopt;
    std::vector<CupsDestination> destinations;
    for (std::size_t i = 0; i < texts.size(); i += kCupsDestinationFields) {
        const std::string& flag = texts[i + 5];
        if (flag != "0" && flag != "1") return std::nullopt;
        destinations.push_back(
            CupsDestination{texts[i], texts[i + 1], texts[i + 2], texts[i + 3], texts[i + 4], flag == "1"});
    }
    return destinations;
}

}  // namespace platform::linux_backend
