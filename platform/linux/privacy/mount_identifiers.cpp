#include "platform/linux/privacy/mount_identifiers.h"

#include <algorithm>
#include <array>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

// Options that name one host: an address or a server's name.
constexpr std::array<std::string_view, 4> kHostOptions = {"addr", "clientaddr", "mountaddr", "ip"};
// Options that name a user, a domain or a secret: masked whole.
constexpr std::array<std::string_view, 6> kAccountOptions = {"username", "user", "domain", "password", "pass", "secret"};
// Ceph's monitors ("mon_addr=10.0.0.1:6789/10.0.0.2:6789") and client name;
// "name=" means something else to other file systems (cgroup's hierarchy).
constexpr std::string_view kCephMonitors = "mon_addr";
constexpr std::string_view kCephClient = "name";
// cifs repeats its source as "unc=\\server\share".
constexpr std::string_view kUncOption = "unc";
// Folders whose children are users' homes on a file server.
constexpr std::array<std::string_view, 5> kHomesFolders = {"home", "homes", "users", "Users", "user"};

struct Field {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t size() const { return end - begin; }
};

template <std::size_t N>
bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

std::string_view Part(TextMasker& text, Field field) {
    return std::string_view(text.Text()).substr(field.begin, field.size());
}

void MaskHost(TextMasker& text, Field host) {
    if (!IsLoopbackHost(Part(text, host))) text.Mask(host.begin, host.size(), MaskKind::kText);
}

// "host", "host:port", "[v6]:port": the host alone, so a server gets the
// mask it gets without its port elsewhere.
void MaskHostAndPort(TextMasker& text, Field piece) {
    const std::string_view value = Part(text, piece);
    Field host = piece;
    if (value.starts_with('[')) {
        host.end = std::min(text.Find(']', piece.begin, piece.end) + 1, piece.end);
    } else if (std::count(value.begin(), value.end(), ':') == 1) {
        host.end = text.Find(':', piece.begin, piece.end);
    }
    MaskHost(text, host);
}

// Calls `each` for the pieces of `field` between `separator`s.
template <typename Each>
void ForEachPiece(TextMasker& text, Field field, char separator, Each each) {
    for (std::size_t at = field.begin; at <= field.end;) {
        const std::size_t end = text.Find(separator, at, field.end);
        if (end > at) each(Field{at, end});
        at = end + 1;
    }
}

// The component after a homes folder is a user's name: "nas:/volume1/homes/anna".
void MaskExportUsers(TextMasker& text, Field path) {
    bool afterHomes = false;
    ForEachPiece(text, path, '/', [&](Field component) {
        if (afterHomes) text.Mask(component.begin, component.size(), MaskKind::kText);
        afterHomes = IsOneOf(Part(text, component), kHomesFolders);
    });
}

void MaskMountSource(TextMasker& text, Field source) {
    const std::string_view value = Part(text, source);
    if (value.starts_with("//")) {  // cifs, smb3: //server/share
        const std::size_t server = source.begin + 2;
        MaskHost(text, Field{server, text.Find('/', server, source.end)});
        return;
    }
    if (value.empty() || value.front() == '/') return;
    // nfs, sshfs, ceph: [user@]server[,server...]:/export, or ceph's
    // user@fsid.name=/path, whose fsid and file-system name are no host.
    const std::size_t exportPath = value.find(":/");
    const std::size_t cephPath = value.find("=/");
    std::size_t hostsEnd = exportPath != std::string_view::npos ? exportPath
                           : cephPath != std::string_view::npos ? cephPath
                                                                : value.find(':');
    if (hostsEnd == std::string_view::npos || hostsEnd == 0) return;
    hostsEnd += source.begin;
    Field hosts{source.begin, hostsEnd};
    if (const std::size_t at = text.FindLast('@', source.begin, hostsEnd); at != std::string_view::npos) {
        text.Mask(source.begin, at - source.begin, MaskKind::kText);
        hosts.begin = at + 1;
    }
    if (exportPath == std::string_view::npos && cephPath != std::string_view::npos) return;
    ForEachPiece(text, hosts, ',', [&](Field host) { MaskHostAndPort(text, host); });
    MaskExportUsers(text, Field{hostsEnd + 1, source.end});
}

// "\\server\share\folder": the server, masked as in the source.
void MaskUncServer(TextMasker& text, Field value) {
    std::size_t server = value.begin;
    while (server < value.end && text.Text()[server] == '\\') ++server;
    MaskHost(text, Field{server, text.Find('\\', server, value.end)});
}

void MaskMountOption(TextMasker& text, Field option, bool ceph) {
    const std::size_t equals = text.Find('=', option.begin, option.end);
    if (equals == option.end) return;
    const std::string_view key = Part(text, Field{option.begin, equals});
    const Field value{equals + 1, option.end};
    if (value.size() == 0) return;
    if (IsOneOf(key, kHostOptions)) MaskHost(text, value);
    else if (IsOneOf(key, kAccountOptions) || (ceph && key == kCephClient))
        text.Mask(value.begin, value.size(), MaskKind::kText);
    else if (key == kUncOption) MaskUncServer(text, value);
    else if (ceph && key == kCephMonitors)
        ForEachPiece(text, value, '/', [&](Field monitor) { MaskHostAndPort(text, monitor); });
}

Field FieldOf(const std::string& text, std::string_view part) {
    const auto begin = static_cast<std::size_t>(part.data() - text.data());
    return {begin, begin + part.size()};
}

}  // namespace

void MaskMountInfo(TextMasker& text) {
    const std::string& all = text.Text();
    for (const std::string_view line : SplitLines(std::string_view(all))) {
        const auto fields = SplitBlanks(line);
        // Six fixed fields, optional ones, "-", file-system type, source, super options.
        std::size_t separator = 6;
        while (separator < fields.size() && fields[separator] != "-") ++separator;
        if (separator + 2 >= fields.size()) continue;
        MaskMountSource(text, FieldOf(all, fields[separator + 2]));
        if (separator + 3 >= fields.size()) continue;
        const bool ceph = fields[separator + 1] == "ceph";
        ForEachPiece(text, FieldOf(all, fields[separator + 3]), ',',
                     [&](Field option) { MaskMountOption(text, option, ceph); });
    }
}

}  // namespace platform::linux_backend
