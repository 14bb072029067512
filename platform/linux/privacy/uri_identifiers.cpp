#include "platform/linux/privacy/uri_identifiers.h"

#include <array>

namespace platform::linux_backend {

namespace {

constexpr std::string_view kSchemeEnd = "://";
constexpr std::string_view kWorkgroupScheme = "smb";
// Query keys whose values identify a device or a host; "serial=" anywhere,
// the others after "?" or "&" only.
constexpr std::string_view kSerialKey = "serial=";
constexpr std::array<std::string_view, 4> kHostKeys = {"ip=", "hostname=", "host=", "addr="};

bool EndsUri(char c) { return c == '\0' || c == '\n' || c == '\r' || c == '\t' || c == '"' || c == '\''; }
bool EndsAuthority(char c) { return c == '/' || c == '?' || c == '#' || c == ' ' || EndsUri(c); }

// Masks a part of a URI piece by piece around its %XX escapes, which stay
// escapes.
void MaskUriPart(TextMasker& text, std::size_t begin, std::size_t end) {
    const std::string_view t = text.Text();
    std::size_t piece = begin;
    for (std::size_t at = begin; at <= end; ++at) {
        const bool escape = at + 2 < end && t[at] == '%' && IsHex(t[at + 1]) && IsHex(t[at + 2]);
        if (at == end || escape) {
            if (at > piece) text.Mask(piece, at - piece, MaskKind::kText);
            if (escape) at += 2;
            piece = at + 1;
        }
    }
}

void MaskUriHost(TextMasker& text, std::size_t begin, std::size_t end) {
    const std::string_view name = std::string_view(text.Text()).substr(begin, end - begin);
    if (IsLoopbackHost(name)) return;
    if (name.front() == '[') text.Mask(begin, name.size(), MaskKind::kHex);
    else MaskUriPart(text, begin, end);
}

// Where the user part of an authority ends: the last "@" before the
// authority's end. A raw blank ends the authority unless it stands in the
// password (after the user's ":"), which then runs to its "@".
std::size_t UserInfoEnd(TextMasker& text, std::size_t begin, std::size_t authorityEnd) {
    const std::string_view t = text.Text();
    if (const std::size_t at = text.FindLast('@', begin, authorityEnd); at != std::string_view::npos) return at;
    if (authorityEnd == t.size() || t[authorityEnd] != ' ' || text.Find(':', begin, authorityEnd) == authorityEnd)
        return std::string_view::npos;
    std::size_t uriEnd = authorityEnd;
    while (uriEnd < t.size() && t[uriEnd] != '/' && t[uriEnd] != '?' && t[uriEnd] != '#' && !EndsUri(t[uriEnd]))
        ++uriEnd;
    return text.FindLast('@', authorityEnd, uriEnd);
}

bool IsWorkgroupScheme(std::string_view t, std::size_t schemeEnd) {
    const std::size_t size = kWorkgroupScheme.size();
    return schemeEnd >= size && t.substr(schemeEnd - size, size) == kWorkgroupScheme &&
           (schemeEnd == size || !IsAlnum(t[schemeEnd - size - 1]));
}

// smb://WORKGROUP/server/share: a path of two names or more starts with
// the server (smb://server/share has one, the share).
void MaskWorkgroupServer(TextMasker& text, std::size_t pathBegin) {
    const std::string_view t = text.Text();
    if (pathBegin >= t.size() || t[pathBegin] != '/') return;
    const std::size_t server = pathBegin + 1;
    std::size_t end = server;
    while (end < t.size() && !EndsAuthority(t[end])) ++end;
    if (end > server && end < t.size() && t[end] == '/' && end + 1 < t.size() && !EndsAuthority(t[end + 1]))
        MaskUriHost(text, server, end);
}

void MaskAuthority(TextMasker& text, std::size_t schemeEnd) {
    const std::string_view t = text.Text();
    const std::size_t begin = schemeEnd + kSchemeEnd.size();
    std::size_t end = begin;
    while (end < t.size() && !EndsAuthority(t[end])) ++end;
    std::size_t host = begin;
    if (const std::size_t user = UserInfoEnd(text, begin, end); user != std::string_view::npos) {
        MaskUriPart(text, begin, user);
        host = user + 1;
        end = host;
        while (end < t.size() && !EndsAuthority(t[end])) ++end;
    }
    std::size_t hostEnd = end;
    if (host < end && t[host] == '[') hostEnd = std::min(text.Find(']', host, end) + 1, end);
    else hostEnd = text.Find(':', host, end);
    if (hostEnd > host) MaskUriHost(text, host, hostEnd);
    if (IsWorkgroupScheme(t, schemeEnd)) MaskWorkgroupServer(text, end);
}

void MaskQueryValues(TextMasker& text) {
    const std::string_view t = text.Text();
    for (std::size_t at = t.find(kSerialKey); at != std::string_view::npos; at = t.find(kSerialKey, at + 1)) {
        const std::size_t begin = at + kSerialKey.size();
        MaskUriPart(text, begin, NameEnd(t, begin));
    }
    for (const std::string_view key : kHostKeys)
        for (std::size_t at = t.find(key); at != std::string_view::npos; at = t.find(key, at + 1)) {
            if (at == 0 || (t[at - 1] != '?' && t[at - 1] != '&')) continue;
            const std::size_t begin = at + key.size();
            const std::size_t end = NameEnd(t, begin);
            if (end > begin) MaskUriHost(text, begin, end);
        }
}

}  // namespace

void MaskUris(TextMasker& text) {
    const std::string_view t = text.Text();
    for (std::size_t at = t.find(kSchemeEnd); at != std::string_view::npos; at = t.find(kSchemeEnd, at + 1))
        MaskAuthority(text, at);
    MaskQueryValues(text);
}

}  // namespace platform::linux_backend
