#pragma once
// Strict readers of the small text formats of procfs, sysfs and /etc: a
// number is the whole field or nothing, never the digits before some junk.

#include <concepts>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::linux_backend {

// Blanks (space, tab, CR, LF) removed at both ends.
std::string_view Trim(std::string_view text);
std::vector<std::string_view> SplitLines(std::string_view text);
// Pieces between separators, empty pieces kept.
std::vector<std::string_view> Split(std::string_view text, char separator);
// Pieces between runs of blanks, no empty pieces.
std::vector<std::string_view> SplitBlanks(std::string_view text);

// The pieces are views into the text: a string that dies at the end of the
// statement (a file just read) would leave them pointing at freed memory,
// so splitting a temporary string does not compile.
template <typename Text>
concept TemporaryString = std::same_as<Text, std::string>;  // deduced from an rvalue only
template <TemporaryString Text>
std::vector<std::string_view> SplitLines(Text&& text) = delete;
template <TemporaryString Text>
std::vector<std::string_view> Split(Text&& text, char separator) = delete;
template <TemporaryString Text>
std::vector<std::string_view> SplitBlanks(Text&& text) = delete;

std::optional<std::uint64_t> ParseDecimal(std::string_view text);
std::optional<std::int64_t> ParseSignedDecimal(std::string_view text);
std::optional<std::uint64_t> ParseHex(std::string_view text);

// A sysfs attribute holds one value and a newline.
std::optional<std::string> AttributeValue(std::string_view content);

// Files of shell-style assignments (/etc/os-release, /etc/default/keyboard):
// NAME=value, NAME="value" with \" \\ \$ \` escapes, NAME='value'. Comments,
// blank lines and lines that are not assignments are left out; a value with
// an unterminated quote is left out too.
std::map<std::string, std::string> ParseAssignments(std::string_view text);

// Desktop settings files: [Section] headers and key=value lines, blanks
// around keys and values removed, "#" and ";" comment lines.
using IniSections = std::map<std::string, std::map<std::string, std::string>, std::less<>>;
IniSections ParseIni(std::string_view text);

bool EndsWith(std::string_view text, std::string_view tail);
bool StartsWith(std::string_view text, std::string_view head);

}  // namespace platform::linux_backend
