#include "platform/linux/parsers/text_fields.h"

#include <charconv>

namespace platform::linux_backend {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

template <typename T>
std::optional<T> ParseWhole(std::string_view text, int base) {
    text = Trim(text);
    if (text.empty() || text.front() == '+') return std::nullopt;
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// The value after "NAME=": quoted or bare; nothing when a quote is not closed.
std::optional<std::string> ShellValue(std::string_view rest) {
    std::string value;
    std::size_t at = 0;
    while (at < rest.size() && !IsBlank(rest[at])) {
        const char c = rest[at++];
        if (c == '"') {
            bool closed = false;
            while (at < rest.size()) {
                const char q = rest[at++];
                if (q == '"') {
                    closed = true;
                    break;
                }
                if (q == '\\' && at < rest.size() &&
                    (rest[at] == '"' || rest[at] == '\\' || rest[at] == '$' || rest[at] == '`'))
                    value.push_back(rest[at++]);
                else
                    value.push_back(q);
            }
            if (!closed) return std::nullopt;
        } else if (c == '\'') {
            const std::size_t close = rest.find('\'', at);
            if (close == std::string_view::npos) return std::nullopt;
            value.append(rest.substr(at, close - at));
            at = close + 1;
        } else if (c == '\\' && at < rest.size()) {
            value.push_back(rest[at++]);
        } else if (c == '#' && value.empty()) {
            break;
        } else {
            value.push_back(c);
        }
    }
    return value;
}

}  // namespace

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::vector<std::string_view> SplitBlanks(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsBlank(text[at])) ++at;
        std::size_t end = at;
        while (end < text.size() && !IsBlank(text[end])) ++end;
        if (end > at) pieces.push_back(text.substr(at, end - at));
        at = end;
    }
    return pieces;
}

std::optional<std::uint64_t> ParseDecimal(std::string_view text) { return ParseWhole<std::uint64_t>(text, 10); }
std::optional<std::int64_t> ParseSignedDecimal(std::string_view text) { return ParseWhole<std::int64_t>(text, 10); }
std::optional<std::uint64_t> ParseHex(std::string_view text) { return ParseWhole<std::uint64_t>(text, 16); }

std::optional<std::string> AttributeValue(std::string_view content) {
    if (!content.empty() && content.back() == '\n') content.remove_suffix(1);
    if (content.find('\n') != std::string_view::npos) return std::nullopt;
    return std::string(content);
}

std::map<std::string, std::string> ParseAssignments(std::string_view text) {
    std::map<std::string, std::string> values;
    for (std::string_view line : SplitLines(text)) {
        line = Trim(line);
        if (StartsWith(line, "export ")) line = Trim(line.substr(7));
        std::size_t at = 0;
        while (at < line.size() && IsNameCharacter(line[at])) ++at;
        if (at == 0 || at == line.size() || line[at] != '=' || (line[0] >= '0' && line[0] <= '9')) continue;
        if (auto value = ShellValue(line.substr(at + 1))) values[std::string(line.substr(0, at))] = std::move(*value);
    }
    return values;
}

IniSections ParseIni(std::string_view text) {
    IniSections sections;
    std::string section;
    for (std::string_view line : SplitLines(text)) {
        line = Trim(line);
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            if (close != std::string_view::npos) section = std::string(line.substr(1, close - 1));
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        sections[section][std::string(Trim(line.substr(0, eq)))] = std::string(Trim(line.substr(eq + 1)));
    }
    return sections;
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool StartsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

}  // namespace platform::linux_backend
