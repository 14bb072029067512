#include "platform/linux/privacy/text_identifiers.h"

#include "platform/linux/privacy/disk_names.h"
#include "platform/linux/privacy/uri_identifiers.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace platform::linux_backend {

namespace {

constexpr std::size_t kMacLength = 17;  // aa:bb:cc:dd:ee:ff
constexpr std::array<std::size_t, 5> kUuidGroups = {8, 4, 4, 4, 12};
constexpr std::size_t kUuidLength = 36;
// Hosts that say nothing about the machine or its network.


void MaskComponentsAfter(TextMasker& text, std::string_view prefix, bool onlyWithMore) {
    const std::string_view t = text.Text();
    for (std::size_t at = t.find(prefix); at != std::string_view::npos; at = t.find(prefix, at + 1)) {
        const std::size_t begin = at + prefix.size();
        const std::size_t end = NameEnd(t, begin);
        if (end == begin || t.substr(begin, end - begin) == "." || t.substr(begin, end - begin) == "..") continue;
        if (onlyWithMore && (end == t.size() || t[end] != '/')) continue;
        text.Mask(begin, end - begin, MaskKind::kText);
    }
}

void MaskUserPaths(TextMasker& text, const LocalNames& names) {
    MaskComponentsAfter(text, "/home/", false);
    // /media/cdrom is a mount point of its own; /media/<user>/<label> is the user's.
    MaskComponentsAfter(text, "/media/", true);
    const std::string_view t = text.Text();
    for (const std::string& user : names.users) {
        if (user.empty()) continue;
        for (std::size_t at = t.find(user); at != std::string_view::npos; at = t.find(user, at + 1)) {
            const std::size_t end = at + user.size();
            if (at == 0 || t[at - 1] != '/' || (end < t.size() && !EndsName(t[end]))) continue;
            text.Mask(at, user.size(), MaskKind::kText);
        }
    }
}

bool IsMacAt(std::string_view t, std::size_t at) {
    if (at + kMacLength > t.size()) return false;
    const char separator = t[at + 2];
    if (separator != ':' && separator != '-') return false;
    for (std::size_t i = 0; i < kMacLength; ++i) {
        const bool ok = i % 3 == 2 ? t[at + i] == separator : IsHex(t[at + i]);
        if (!ok) return false;
    }
    // Not a part of a longer run of pairs (an IPv6 address, a 20-byte address).
    const auto outside = [&](char c) { return !IsHex(c) && c != separator; };
    return (at == 0 || outside(t[at - 1])) && (at + kMacLength == t.size() || outside(t[at + kMacLength]));
}

void MaskMacs(TextMasker& text) {
    const std::string_view t = text.Text();
    for (std::size_t at = 0; at + kMacLength <= t.size(); ++at)
        if (IsMacAt(t, at) && text.Mask(at, kMacLength, MaskKind::kMac)) at += kMacLength - 1;
}

bool IsUuidAt(std::string_view t, std::size_t at) {
    if (at + kUuidLength > t.size()) return false;
    std::size_t i = at;
    for (std::size_t group = 0; group < kUuidGroups.size(); ++group) {
        if (group > 0 && t[i++] != '-') return false;
        for (std::size_t n = 0; n < kUuidGroups[group]; ++n)
            if (!IsHex(t[i++])) return false;
    }
    const auto outside = [](char c) { return !IsHex(c) && c != '-'; };
    return (at == 0 || outside(t[at - 1])) && (i == t.size() || outside(t[i]));
}

void MaskUuids(TextMasker& text) {
    const std::string_view t = text.Text();
    for (std::size_t at = 0; at + kUuidLength <= t.size(); ++at)
        if (IsUuidAt(t, at) && text.Mask(at, kUuidLength, MaskKind::kHex)) at += kUuidLength - 1;
}

void MaskHostWords(TextMasker& text, const LocalNames& names) {
    const std::string_view t = text.Text();
    const auto inWord = [](char c) { return IsAlnum(c) || c == '-' || c == '_'; };
    for (const std::string& host : names.hosts) {
        if (host.empty()) continue;
        for (std::size_t at = t.find(host); at != std::string_view::npos; at = t.find(host, at + 1)) {
            const std::size_t end = at + host.size();
            if ((at > 0 && (inWord(t[at - 1]) || t[at - 1] == '.')) || (end < t.size() && inWord(t[end]))) continue;
            text.Mask(at, host.size(), MaskKind::kText);
        }
    }
}

}  // namespace

TextMasker::TextMasker(std::string& text, const IdentifierMask& mask)
    : text_(text), mask_(mask), masked_(text.size(), false) {}

bool TextMasker::Mask(std::size_t at, std::size_t length, MaskKind kind) {
    if (length == 0 || at > text_.size() || text_.size() - at < length) return false;
    if (std::any_of(masked_.begin() + static_cast<std::ptrdiff_t>(at),
                    masked_.begin() + static_cast<std::ptrdiff_t>(at + length), [](bool b) { return b; }))
        return false;
    const std::span<char> part(text_.data() + at, length);
    switch (kind) {
        case MaskKind::kText: mask_.Text(part); break;
        case MaskKind::kHex: mask_.Hex(part); break;
        case MaskKind::kMac: mask_.Mac(part); break;
    }
    std::fill_n(masked_.begin() + static_cast<std::ptrdiff_t>(at), length, true);
    return true;
}

bool TextMasker::Mask(std::string_view part, MaskKind kind) {
    if (part.data() < text_.data() || part.data() > text_.data() + text_.size()) return false;
    return Mask(static_cast<std::size_t>(part.data() - text_.data()), part.size(), kind);
}

std::size_t TextMasker::Find(char c, std::size_t from, std::size_t to) {
    to = std::min(to, text_.size());
    if (from >= to) return to;
    const std::size_t at = std::string_view(text_).substr(from, to - from).find(c);
    searched_ += (at == std::string_view::npos ? to - from : at + 1);
    return at == std::string_view::npos ? to : from + at;
}

std::size_t TextMasker::FindLast(char c, std::size_t from, std::size_t to) {
    to = std::min(to, text_.size());
    if (from >= to) return std::string_view::npos;
    const std::size_t at = std::string_view(text_).substr(from, to - from).rfind(c);
    searched_ += (at == std::string_view::npos ? to - from : to - from - at);
    return at == std::string_view::npos ? at : from + at;
}

void TextMasker::MaskEvery(std::string_view value, MaskKind kind) {
    if (value.empty()) return;
    // The value is copied: masking changes the text it may point into.
    const std::string wanted(value);
    // Only where it stands whole: a serial "4" is not the 4 of "ext4". A WWN
    // is written after "0x", which is no part of a word before it.
    const auto alnum = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t at = text_.find(wanted); at != std::string::npos; at = text_.find(wanted, at + 1)) {
        const std::size_t end = at + wanted.size();
        const bool afterHexPrefix = at >= 2 && text_.compare(at - 2, 2, "0x") == 0;
        const bool wholeBefore = at == 0 || !alnum(text_[at - 1]) || afterHexPrefix;
        const bool wholeAfter = end == text_.size() || !alnum(text_[end]);
        if (wholeBefore && wholeAfter) Mask(at, wanted.size(), kind);
    }
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool EndsName(char c) {
    return c == '/' || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\0' || c == '\\' || c == ':' ||
           c == '"' || c == '\'' || c == ',' || c == ';' || c == '=' || c == '&' || c == '?' || c == '#';
}

std::size_t NameEnd(std::string_view text, std::size_t at) {
    while (at < text.size() && !EndsName(text[at])) ++at;
    return at;
}

bool IsLoopbackHost(std::string_view host) {
    return host.empty() || host == "localhost" || host == "localhost.localdomain" || host.starts_with("127.") ||
           host == "::1" || host == "[::1]";
}

void MaskFreeText(TextMasker& text, const LocalNames& names) {
    MaskUserPaths(text, names);
    MaskUris(text);
    MaskMacs(text);
    // Before the links, so a UUID in a link's name keeps the mask it has everywhere.
    MaskUuids(text);
    MaskDiskLinks(text);
    MaskVolumeSerialsInPaths(text);
    MaskHostWords(text, names);
}

}  // namespace platform::linux_backend
