#include "platform/linux/io/drm_modes.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/bytes.h"

namespace platform::linux_backend {

namespace {

using Info = DrmModeInfoLayout;

// The kernel's mode-setting records (include/uapi/drm/drm_mode.h), defined
// here so that no development package is needed for three requests.
struct ModeInfo {
    std::uint32_t clock;
    std::uint16_t hdisplay, hsync_start, hsync_end, htotal, hskew;
    std::uint16_t vdisplay, vsync_start, vsync_end, vtotal, vscan;
    std::uint32_t vrefresh;
    std::uint32_t flags;
    std::uint32_t type;
    char name[32];
};
static_assert(sizeof(ModeInfo) == Info::kSize);
static_assert(offsetof(ModeInfo, htotal) == Info::kHTotal && offsetof(ModeInfo, vtotal) == Info::kVTotal);
static_assert(offsetof(ModeInfo, vrefresh) == Info::kVRefresh && offsetof(ModeInfo, flags) == Info::kFlags);

struct GetConnector {
    std::uint64_t encoders_ptr, modes_ptr, props_ptr, prop_values_ptr;
    std::uint32_t count_modes, count_props, count_encoders;
    std::uint32_t encoder_id, connector_id, connector_type, connector_type_id;
    std::uint32_t connection, mm_width, mm_height, subpixel, pad;
};
static_assert(sizeof(GetConnector) == 80);

struct GetEncoder {
    std::uint32_t encoder_id, encoder_type, crtc_id, possible_crtcs, possible_clones;
};
static_assert(sizeof(GetEncoder) == 20);

struct Crtc {
    std::uint64_t set_connectors_ptr;
    std::uint32_t count_connectors, crtc_id, fb_id, x, y, gamma_size, mode_valid;
    ModeInfo mode;
};
static_assert(sizeof(Crtc) == DrmCrtcLayout::kSize);
static_assert(offsetof(Crtc, mode_valid) == DrmCrtcLayout::kModeValid && offsetof(Crtc, mode) == DrmCrtcLayout::kMode);

// _IOWR('d', nr, type)
constexpr unsigned long ReadWrite(unsigned nr, std::size_t size) {
    return (3ul << 30) | (static_cast<unsigned long>(size) << 16) | ('d' << 8) | nr;
}
constexpr unsigned long kGetCrtc = ReadWrite(0xA1, sizeof(Crtc));
constexpr unsigned long kGetEncoder = ReadWrite(0xA6, sizeof(GetEncoder));
constexpr unsigned long kGetConnector = ReadWrite(0xA7, sizeof(GetConnector));
constexpr int kMaxModes = 1024;

ScreenMode ModeAt(const Bytes& bytes, std::size_t offset) {
    const std::uint32_t clock = *base::ReadLe32(bytes, offset + Info::kClock);
    const std::uint16_t htotal = *base::ReadLe16(bytes, offset + Info::kHTotal);
    std::uint32_t vtotal = *base::ReadLe16(bytes, offset + Info::kVTotal);
    const std::uint32_t flags = *base::ReadLe32(bytes, offset + Info::kFlags);
    const std::uint16_t vscan = *base::ReadLe16(bytes, offset + Info::kVScan);
    // Interlaced frames refresh every field (half the lines); double scan
    // and repeated scans draw each line more than once.
    std::uint64_t lines = vtotal;
    std::uint64_t clockHz = std::uint64_t{clock} * 1000;
    if (flags & Info::kInterlace) clockHz *= 2;
    if (flags & Info::kDoubleScan) lines *= 2;
    if (vscan > 1) lines *= vscan;
    ScreenMode mode;
    mode.width = *base::ReadLe16(bytes, offset + Info::kHDisplay);
    mode.height = *base::ReadLe16(bytes, offset + Info::kVDisplay);
    mode.refresh = RefreshOf(clockHz, htotal, lines);
    if (mode.refresh == 0) mode.refresh = *base::ReadLe32(bytes, offset + Info::kVRefresh);
    return mode;
}

int OpenCard(const std::string& node) { return ::open(node.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK); }

bool Ask(int fd, unsigned long request, void* record) {
    int result;
    do result = ::ioctl(fd, request, record);
    while (result != 0 && (errno == EINTR || errno == EAGAIN));
    return result == 0;
}

// The connector's modes without forcing a probe: a first request with room
// for one mode gives the count the kernel already knows.
std::optional<std::vector<ModeInfo>> ConnectorModes(int fd, std::uint32_t connectorId, GetConnector& connector) {
    std::vector<ModeInfo> modes(1);
    for (int attempt = 0; attempt < 4; ++attempt) {
        connector = GetConnector{};
        connector.connector_id = connectorId;
        connector.count_modes = static_cast<std::uint32_t>(modes.size());
        connector.modes_ptr = reinterpret_cast<std::uintptr_t>(modes.data());
        if (!Ask(fd, kGetConnector, &connector)) return std::nullopt;
        if (connector.count_modes <= modes.size()) {
            modes.resize(connector.count_modes);
            return modes;
        }
        if (connector.count_modes > kMaxModes) return std::nullopt;
        modes.resize(connector.count_modes);
    }
    return std::nullopt;  // the list kept changing
}

}  // namespace

std::optional<std::vector<ScreenMode>> DecodeDrmModes(const Bytes& reply) {
    if (reply.size() % Info::kSize != 0) return std::nullopt;
    std::vector<ScreenMode> modes;
    for (std::size_t offset = 0; offset < reply.size(); offset += Info::kSize) modes.push_back(ModeAt(reply, offset));
    return modes;
}

std::optional<ScreenMode> DecodeDrmCrtc(const Bytes& reply) {
    if (reply.size() != DrmCrtcLayout::kSize || base::ReadLe32(reply, DrmCrtcLayout::kModeValid) == 0u)
        return std::nullopt;
    ScreenMode mode = ModeAt(reply, DrmCrtcLayout::kMode);
    mode.current = true;
    return mode;
}

std::optional<Bytes> LiveDrmModes(const std::string& cardNode, std::uint32_t connectorId) {
    const int fd = OpenCard(cardNode);
    if (fd < 0) return std::nullopt;
    GetConnector connector{};
    const auto modes = ConnectorModes(fd, connectorId, connector);
    ::close(fd);
    if (!modes) return std::nullopt;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(modes->data());
    return Bytes(bytes, bytes + modes->size() * sizeof(ModeInfo));
}

std::optional<Bytes> LiveDrmCrtc(const std::string& cardNode, std::uint32_t connectorId) {
    const int fd = OpenCard(cardNode);
    if (fd < 0) return std::nullopt;
    std::optional<Bytes> result;
    GetConnector connector{};
    connector.connector_id = connectorId;
    if (Ask(fd, kGetConnector, &connector) && connector.encoder_id != 0) {
        GetEncoder encoder{};
        encoder.encoder_id = connector.encoder_id;
        if (Ask(fd, kGetEncoder, &encoder) && encoder.crtc_id != 0) {
            Crtc crtc{};
            crtc.crtc_id = encoder.crtc_id;
            if (Ask(fd, kGetCrtc, &crtc)) {
                const auto* bytes = reinterpret_cast<const std::uint8_t*>(&crtc);
                result = Bytes(bytes, bytes + sizeof crtc);
            }
        }
    }
    ::close(fd);
    return result;
}

}  // namespace platform::linux_backend
