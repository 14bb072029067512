#pragma once
// The X server of this machine, asked through XCB: the XKB layout names,
// the key repeat controls, the lock indicators and the pointer mapping.
// Each answer is the bytes of a recorded reply on channel "x11", so that a
// captured tree gives the same answers without a server. Used only on this
// machine and only when DISPLAY names a server; no server is not an error.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/bytes.h"

namespace platform::linux_backend {

using base::Bytes;

namespace x11 {
inline constexpr std::string_view kChannel = "x11";
// The _XKB_RULES_NAMES property of the root window as it stands.
inline constexpr std::string_view kRulesNames = "xkb-rules-names";
// Repeat delay and repeat interval in milliseconds, 16 bits each, little-endian.
inline constexpr std::string_view kRepeat = "xkb-repeat";
struct RepeatReplyLayout {
    static constexpr std::size_t kDelay = 0;
    static constexpr std::size_t kInterval = 2;
    static constexpr std::size_t kSize = 4;
};
// One byte, 1 when the named indicator is lit, 0 when not.
inline constexpr std::string_view kCapsLockIndicator = "indicator-caps-lock";
inline constexpr std::string_view kNumLockIndicator = "indicator-num-lock";
inline constexpr std::string_view kScrollLockIndicator = "indicator-scroll-lock";
// The core pointer's button map: byte i is the logical button of physical button i+1.
inline constexpr std::string_view kPointerMapping = "pointer-mapping";
}  // namespace x11

class XServer {
public:
    // Nothing when the server cannot be reached.
    static std::unique_ptr<XServer> Connect(const std::string& display);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    std::optional<Bytes> RulesNames();
    std::optional<Bytes> Repeat();
    // `name` is the indicator's XKB name: "Caps Lock", "Num Lock", "Scroll Lock".
    std::optional<Bytes> Indicator(const std::string& name);
    std::optional<Bytes> PointerMapping();

private:
    struct Connection;
    explicit XServer(std::unique_ptr<Connection> connection);
    bool UseXkb();

    std::unique_ptr<Connection> connection_;
};

}  // namespace platform::linux_backend
