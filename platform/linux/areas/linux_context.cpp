#include "platform/linux/areas/linux_context.h"

#include "platform/linux/privacy/masked_replies.h"

namespace platform::linux_backend {

namespace {

constexpr std::string_view kSessionChannel = "session";
constexpr std::string_view kConfigDirectory = "config-dir";  // the user's configuration directory

}  // namespace

LinuxContext::LinuxContext(LinuxMachineOptions&& o)
    : privacy(o.privacy ? PrivacyFilter::ForThisSystem() : nullptr),
      fs(o.root, o.capture, privacy.get()),
      session(std::move(o.session)),
      capture(fs.IsThisSystem() || o.privacy ? o.capture : nullptr),
      clock(TimeStampClock::Live()),
      realWaits(o.realWaits) {
    if (!fs.IsOpen()) {
        error = fs.Root() + ": not a directory that can be read";
        replies = std::make_unique<LiveReplies>();
    } else if (fs.IsThisSystem()) {
        // A masked run notes the masked replies instead (below).
        replies = std::make_unique<LiveReplies>(privacy ? nullptr : capture);
        if (privacy) replies = std::make_unique<MaskedReplies>(std::move(replies), *privacy, capture);
    } else {
        // Not this system: no instruction, ioctl or X connection; answers
        // come from the capture and the clock runs on virtual time.
        auto recorded = std::make_unique<RecordedReplies>(fs);
        error = recorded->Error();
        replies = std::move(recorded);
        if (privacy) replies = std::make_unique<MaskedReplies>(std::move(replies), *privacy, o.capture);
        std::optional<std::uint64_t> rate;
        if (const auto reply = replies->Ask(tsc_reply::kChannel, tsc_reply::kRate, nullptr);
            reply && reply->size() == tsc_reply::kRateSize)
            rate = ReadLe64(*reply, 0);
        clock = TimeStampClock::Virtual(rate);
    }
    const auto archFile = fs.ReadFile("/proc/sys/kernel/arch");
    const auto cpuinfo = fs.ReadFile("/proc/cpuinfo");
    arch = ArchitectureOf(archFile ? std::optional<std::string_view>(*archFile) : std::nullopt,
                          ParseCpuinfo(cpuinfo.value_or("")));
}

std::optional<Bytes> LinuxContext::AskX(std::string_view request, std::optional<Bytes> (XServer::*ask)()) {
    return replies->Ask(x11::kChannel, request, [&]() -> std::optional<Bytes> {
        XServer* server = Server();
        return server ? (server->*ask)() : std::nullopt;
    });
}

std::optional<bool> LinuxContext::XIndicator(std::string_view request, const std::string& name) {
    const auto reply = replies->Ask(x11::kChannel, request, [&]() -> std::optional<Bytes> {
        XServer* server = Server();
        return server ? server->Indicator(name) : std::nullopt;
    });
    if (!reply || reply->size() != 1) return std::nullopt;
    return reply->front() != 0;
}

XServer* LinuxContext::Server() {
    if (!xTried_) {
        xTried_ = true;
        if (replies->IsLive() && !session.display.empty()) x_ = XServer::Connect(session.display);
    }
    return x_.get();
}

const std::vector<InputDevice>& LinuxContext::InputDevices() const {
    if (!inputDevices_) {
        const auto text = fs.ReadFile("/proc/bus/input/devices");
        inputDevices_ = text ? ParseInputDevices(*text) : std::vector<InputDevice>{};
    }
    return *inputDevices_;
}

unsigned LinuxContext::WordBits(const std::vector<InputDevice>& devices) const {
    return BitmapWordBits(devices, arch.longBits);
}

std::string LinuxContext::ConfigDirectory() {
    const auto reply = replies->Ask(kSessionChannel, kConfigDirectory, [&]() -> std::optional<Bytes> {
        const std::string directory = session.ConfigDirectory();
        if (directory.empty()) return std::nullopt;
        return BytesOfText(directory);
    });
    if (!reply) return {};
    std::string directory = TextOfBytes(*reply);
    return RelativeToRoot(directory) ? directory : std::string();
}

IdDatabases& LinuxContext::Ids() {
    if (!ids_) ids_ = std::make_unique<IdDatabases>(fs, capture);
    return *ids_;
}

}  // namespace platform::linux_backend
