#include "platform/linux/io/reply_file.h"

#include <cstdio>

#include "platform/input_excerpt.h"

namespace platform::linux_backend {

namespace {

constexpr std::size_t kBytesPerLine = 16;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Reads one quoted text starting at line[at] == '"'; moves `at` past the
// closing quote. Returns an error text, empty when the text was good.
std::string ReadQuoted(std::string_view line, std::size_t& at, Bytes& out) {
    ++at;
    while (at < line.size()) {
        const char c = line[at++];
        if (c == '"') return {};
        if (c != '\\') {
            out.push_back(static_cast<std::uint8_t>(c));
            continue;
        }
        if (at == line.size()) break;
        const char e = line[at++];
        switch (e) {
            case '\\': out.push_back('\\'); break;
            case '"': out.push_back('"'); break;
            case '0': out.push_back(0); break;
            case 'n': out.push_back('\n'); break;
            case 't': out.push_back('\t'); break;
            case 'x': {
                const int high = at < line.size() ? HexValue(line[at]) : -1;
                const int low = at + 1 < line.size() ? HexValue(line[at + 1]) : -1;
                if (high < 0 || low < 0) return "\\x must be followed by two hexadecimal digits";
                out.push_back(static_cast<std::uint8_t>(high * 16 + low));
                at += 2;
                break;
            }
            default: return std::string("unknown escape \\") + e;
        }
    }
    return "quoted text is not closed on its line";
}

}  // namespace

ReplyFileParse ParseReplyFile(std::string_view text) {
    Bytes bytes;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        ++lineNumber;
        std::size_t at = 0;
        while (at < line.size()) {
            if (IsBlank(line[at])) {
                ++at;
                continue;
            }
            if (line[at] == '#') break;
            if (line[at] == '"') {
                if (auto error = ReadQuoted(line, at, bytes); !error.empty())
                    return {std::nullopt, "line " + std::to_string(lineNumber) + ": " + error};
                continue;
            }
            std::size_t tokenEnd = at;
            while (tokenEnd < line.size() && !IsBlank(line[tokenEnd]) && line[tokenEnd] != '#') ++tokenEnd;
            const std::string_view token = line.substr(at, tokenEnd - at);
            if (token.size() != 2 || HexValue(token[0]) < 0 || HexValue(token[1]) < 0)
                return {std::nullopt, "line " + std::to_string(lineNumber) + ": \"" + InputExcerpt(token) +
                                          "\" is neither a byte of two hexadecimal digits nor a quoted text"};
            bytes.push_back(static_cast<std::uint8_t>(HexValue(token[0]) * 16 + HexValue(token[1])));
            at = tokenEnd;
        }
        if (end == text.size()) break;
        start = end + 1;
    }
    return {std::move(bytes), {}};
}

std::string FormatReplyFile(std::string_view channel, std::string_view request, const Bytes& bytes) {
    std::string out = "# reply to \"" + std::string(request) + "\" on channel \"" + std::string(channel) + "\", " +
                      std::to_string(bytes.size()) + (bytes.size() == 1 ? " byte\n" : " bytes\n");
    for (std::size_t line = 0; line < bytes.size(); line += kBytesPerLine) {
        std::string printable;
        for (std::size_t i = line; i < bytes.size() && i < line + kBytesPerLine; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02x ", bytes[i]);
            out += hex;
            printable.push_back(bytes[i] >= 0x20 && bytes[i] < 0x7F ? static_cast<char>(bytes[i]) : '.');
        }
        out.append(3 * (kBytesPerLine - printable.size()), ' ');
        out += "# " + printable + "\n";
    }
    return out;
}

}  // namespace platform::linux_backend
