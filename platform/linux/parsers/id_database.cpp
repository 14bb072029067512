#include "platform/linux/parsers/id_database.h"

#include <algorithm>
#include <cstring>

namespace platform::linux_backend {

namespace {

constexpr int kVendorDigits = 4;
constexpr int kClassDigits = 2;
constexpr std::string_view kClassKeyword = "C ";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string_view LineAt(const std::string& text, std::size_t start) {
    const std::size_t end = text.find('\n', start);
    std::string_view line(text.data() + start, (end == std::string::npos ? text.size() : end) - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

std::size_t NextLine(const std::string& text, std::size_t start) {
    const std::size_t end = text.find('\n', start);
    return end == std::string::npos ? text.size() : end + 1;
}

}  // namespace

std::optional<std::pair<std::uint16_t, std::string_view>> ParseIdLine(std::string_view line, int digits) {
    if (line.size() < static_cast<std::size_t>(digits) + 3) return std::nullopt;
    std::uint16_t id = 0;
    for (int i = 0; i < digits; ++i) {
        const int value = HexDigit(line[static_cast<std::size_t>(i)]);
        if (value < 0) return std::nullopt;
        id = static_cast<std::uint16_t>(id * 16 + value);
    }
    std::string_view rest = line.substr(static_cast<std::size_t>(digits));
    if (rest.substr(0, 2) != "  ") return std::nullopt;
    rest.remove_prefix(2);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t' || rest.back() == '\r')) rest.remove_suffix(1);
    if (rest.empty()) return std::nullopt;
    return std::pair{id, rest};
}

IdDatabase::IdDatabase(std::string text) : text_(std::move(text)) {}

std::size_t IdDatabase::TopLevelLineAt(std::size_t offset) const {
    for (std::size_t start = offset; start < text_.size(); start = NextLine(text_, start)) {
        const char first = text_[start];
        if (first != '\t' && first != '#' && first != '\n' && first != '\r') return start;
    }
    return text_.size();
}

// The vendor of a top-level line; lines of the sections after the vendors
// (classes and the rest) sort after every vendor.
static std::uint32_t VendorKey(const std::string& text, std::size_t start) {
    constexpr std::uint32_t kAfterVendors = 0x10000;
    if (start >= text.size()) return kAfterVendors;
    const auto parsed = ParseIdLine(LineAt(text, start), kVendorDigits);
    return parsed ? parsed->first : kAfterVendors;
}

std::optional<std::size_t> IdDatabase::BisectVendor(std::uint16_t vendor) const {
    // The smallest offset whose next top-level line has a key >= vendor.
    std::size_t low = 0, high = text_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        // The line that holds `middle` ends first; the search goes on from the next one.
        const std::size_t line = TopLevelLineAt(middle == 0 ? 0 : NextLine(text_, middle - 1));
        if (VendorKey(text_, line) < vendor)
            low = line + 1;
        else
            high = middle;
    }
    const std::size_t line = TopLevelLineAt(low == 0 ? 0 : NextLine(text_, low - 1));
    if (VendorKey(text_, line) == vendor) return line;
    return std::nullopt;
}

std::optional<std::size_t> IdDatabase::VendorLine(std::uint16_t vendor) const {
    if (const auto known = vendors_.find(vendor); known != vendors_.end()) return known->second;
    std::optional<std::size_t> found = BisectVendor(vendor);
    // Out of order: the first line of the vendor, wherever it is.
    for (std::size_t start = TopLevelLineAt(0); !found && start < text_.size();
         start = TopLevelLineAt(NextLine(text_, start)))
        if (VendorKey(text_, start) == vendor) found = start;
    vendors_.emplace(vendor, found);
    return found;
}

std::optional<std::size_t> IdDatabase::ClassLine(std::uint8_t deviceClass) const {
    if (const auto known = classes_.find(deviceClass); known != classes_.end()) return known->second;
    std::optional<std::size_t> found;
    for (std::size_t start = TopLevelLineAt(0); !found && start < text_.size();
         start = TopLevelLineAt(NextLine(text_, start))) {
        const std::string_view line = LineAt(text_, start);
        if (line.substr(0, kClassKeyword.size()) != kClassKeyword) continue;
        const auto parsed = ParseIdLine(line.substr(kClassKeyword.size()), kClassDigits);
        if (parsed && parsed->first == deviceClass) found = start;
    }
    classes_.emplace(deviceClass, found);
    return found;
}

void IdDatabase::NoteUsed(std::size_t lineStart) const {
    if (std::find(used_.begin(), used_.end(), lineStart) == used_.end()) used_.push_back(lineStart);
}

std::optional<std::string_view> IdDatabase::Vendor(std::uint16_t vendor) const {
    const auto line = VendorLine(vendor);
    if (!line) return std::nullopt;
    NoteUsed(*line);
    return ParseIdLine(LineAt(text_, *line), kVendorDigits)->second;
}

std::optional<std::string_view> IdDatabase::Class(std::uint8_t deviceClass) const {
    const auto line = ClassLine(deviceClass);
    if (!line) return std::nullopt;
    NoteUsed(*line);
    return ParseIdLine(LineAt(text_, *line).substr(kClassKeyword.size()), kClassDigits)->second;
}

std::optional<std::string_view> IdDatabase::Child(std::size_t parentLine, std::uint16_t id, int digits) const {
    // The children of an entry are the lines with one leading TAB up to the
    // next line without one; comments may sit between them.
    for (std::size_t start = NextLine(text_, parentLine); start < text_.size(); start = NextLine(text_, start)) {
        const char first = text_[start];
        if (first == '#' || first == '\n') continue;
        if (first != '\t') break;
        const std::string_view line = LineAt(text_, start);
        if (line.size() > 1 && line[1] == '\t') continue;  // a grandchild
        const auto parsed = ParseIdLine(line.substr(1), digits);
        if (parsed && parsed->first == id) {
            NoteUsed(parentLine);
            NoteUsed(start);
            return parsed->second;
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> IdDatabase::Device(std::uint16_t vendor, std::uint16_t device) const {
    const auto line = VendorLine(vendor);
    if (!line) return std::nullopt;
    return Child(*line, device, kVendorDigits);
}

std::optional<std::string> IdDatabase::VendorAndDevice(std::uint16_t vendor, std::uint16_t device) const {
    const auto vendorName = Vendor(vendor);
    if (!vendorName) return std::nullopt;
    std::string name(*vendorName);
    if (const auto deviceName = Device(vendor, device)) {
        name += ' ';
        name += *deviceName;
    }
    return name;
}

std::string IdDatabase::UsedLines() const {
    std::vector<std::size_t> lines = used_;
    std::sort(lines.begin(), lines.end());
    std::string out;
    for (const std::size_t start : lines) {
        out += LineAt(text_, start);
        out += '\n';
    }
    return out;
}

}  // namespace platform::linux_backend
