#pragma once
// What every area of the Linux backend reads through: the files under the
// root, the recorded (or live) replies, the user's session, the capture log,
// the processor architecture, and the X server when there is one. The
// machine owns one context; each area keeps a reference to it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/io/capture_log.h"
#include "platform/linux/io/cpu.h"
#include "platform/linux/areas/id_databases.h"
#include "platform/linux/parsers/input_devices.h"
#include "platform/linux/io/replies.h"
#include "platform/linux/io/root_fs.h"
#include "platform/linux/io/session.h"
#include "platform/linux/io/x_server.h"
#include "platform/linux/privacy/privacy_filter.h"

namespace platform::linux_backend {

// The time-stamp counter's rate as a capture keeps it.
namespace tsc_reply {
inline constexpr std::string_view kChannel = "tsc";
inline constexpr std::string_view kRate = "rate";  // ticks per second, 64-bit little-endian
inline constexpr std::size_t kRateSize = 8;
}  // namespace tsc_reply

struct LinuxMachineOptions {
    std::string root = "/";
    // The user's session as the environment describes it; read once.
    SessionEnvironment session = SessionEnvironment::FromProcess();
    // On this machine only: notes every file read and reply given, for
    // veltrix-capture.
    CaptureLog* capture = nullptr;
    // False makes Sleep return at once (benchmarks of start-up without the
    // clock measurement's half-second wait); the counter still runs.
    bool realWaits = true;
    // Every file and reply passes through the privacy filter (made with this
    // system's key), and a capture records what it let through; with a
    // capture log, a captured tree's replies are noted too.
    bool privacy = false;
};

class LinuxContext {
public:
    explicit LinuxContext(LinuxMachineOptions&& options);

    std::unique_ptr<PrivacyFilter> privacy;  // null unless masking; made before the reader that uses it
    RootFs fs;
    SessionEnvironment session;
    CaptureLog* capture;  // null unless capturing this machine
    std::unique_ptr<ReplySource> replies;
    std::string error;  // why the root cannot be used; empty when all is well
    TimeStampClock clock;
    bool realWaits;
    Architecture arch;

    bool IsLive() const { return replies->IsLive(); }

    // An X request through the replies: asked of the server only when live.
    std::optional<Bytes> AskX(std::string_view request, std::optional<Bytes> (XServer::*ask)());
    // A keyboard indicator by its XKB name; nothing without an answer.
    std::optional<bool> XIndicator(std::string_view request, const std::string& name);
    // The X server of the session: connected once, on first use, and only on
    // this machine with a display.
    XServer* Server();

    // /proc/bus/input/devices, read once: the keyboard, the mouse and the
    // joysticks all ask for it at start-up.
    const std::vector<InputDevice>& InputDevices() const;
    // The word width of the input-device bitmaps.
    unsigned WordBits(const std::vector<InputDevice>& devices) const;

    // The user's configuration directory, as a path under the root; empty
    // when unknown or outside the root.
    std::string ConfigDirectory();

    // The PCI and USB ID databases, shared by every area that names devices.
    IdDatabases& Ids();

private:
    std::unique_ptr<IdDatabases> ids_;
    mutable std::optional<std::vector<InputDevice>> inputDevices_;
    std::unique_ptr<XServer> x_;
    bool xTried_ = false;
};

}  // namespace platform::linux_backend
