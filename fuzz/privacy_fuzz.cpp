// The privacy filter on any bytes a file or a reply may hold: the first byte
// picks where they were read, the rest is the content. Masking never changes
// a length, never moves a separator of a text, gives the same bytes for the
// same input, and keeps a checksum of an EDID block as it was.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <numeric>
#include <string>

#include "fuzz_check.h"
#include "platform/linux/privacy/privacy_filter.h"
#include "platform/linux/privacy/privacy_key.h"

namespace pl = platform::linux_backend;

namespace {

struct Source {
    const char* path;     // a file, or empty for a reply
    const char* channel;  // a reply's channel and request
    const char* request;
    bool text;            // masked by the text rules: only letters and digits change
};

constexpr Source kSources[] = {
    {"/proc/self/mountinfo", "", "", true},      {"/run/udev/data/b8:1", "", "", true},
    {"/proc/cpuinfo", "", "", true},             {"/proc/bus/input/devices", "", "", true},
    {"/sys/class/net/eth0/address", "", "", true}, {"/sys/block/sda/device/serial", "", "", true},
    {"/sys/block/sda/device/vpd_pg80", "", "", false}, {"/sys/block/sda/device/vpd_pg89", "", "", false},
    {"/sys/class/drm/card0-DP-1/edid", "", "", false}, {"", "ata", "sda.identify", false},
    {"", "cpuid", "00000003", false},            {"", "cups", "destinations", true},
    {"", "blkid", "sdb1", true},                 {"", "session", "config-dir", true},
};

bool IsAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string Mask(const Source& source, const std::string& content) {
    pl::LocalNames names;
    names.users = {"anna"};
    names.hosts = {"werkplek"};
    pl::PrivacyFilter filter(pl::PrivacyKeyFrom("fuzz"), names);
    if (*source.path) return filter.MaskFile(source.path, content);
    const auto reply = filter.MaskReply(source.channel, source.request, base::Bytes(content.begin(), content.end()));
    return std::string(reply.begin(), reply.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Source& source = kSources[data[0] % std::size(kSources)];
    const std::string content(data + 1, data + size);
    const std::string masked = Mask(source, content);
    FUZZ_CHECK(masked.size() == content.size());
    FUZZ_CHECK(Mask(source, content) == masked);
    if (source.text)
        for (std::size_t i = 0; i < content.size(); ++i)
            FUZZ_CHECK(masked[i] == content[i] || (IsAlnum(masked[i]) && IsAlnum(content[i])));
    const std::string_view path(source.path);
    if (path.ends_with("/edid") && content.size() >= 128) {
        const auto sum = [](const std::string& s) {
            return static_cast<std::uint8_t>(std::accumulate(s.begin(), s.begin() + 128, 0u,
                                                             [](unsigned a, char c) { return a + static_cast<std::uint8_t>(c); }));
        };
        FUZZ_CHECK(sum(masked) == sum(content));
    }
    return 0;
}
