#pragma once
// Answers that are not files: CPUID leaves, the time-stamp counter's rate,
// the X server's replies, the locale's regional settings, and device ioctls.
// Each is a request on a channel ("cpuid", "80000002") whose reply is bytes.
// On this machine a request really goes to the processor, the kernel or the X
// server; on a captured tree the reply comes from the recorded reply file
// DIR/.veltrix/replies/<channel>/<request>.hex, and a request without a
// recorded reply fails, exactly as a request the live machine refused.
// docs/captures.md describes the layout and how to add a channel.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "base/bytes.h"
#include "platform/linux/io/capture_log.h"
#include "platform/linux/io/root_fs.h"

namespace platform::linux_backend {

// Really asks: runs the instruction, the ioctl or the X request. Nothing when
// the request failed.
using LiveRequest = std::function<std::optional<Bytes>()>;

class ReplySource {
public:
    virtual ~ReplySource() = default;
    // True when requests go to this machine; false on a captured tree, where
    // no instruction, ioctl or X connection may be used.
    virtual bool IsLive() const = 0;
    // The reply to `request` on `channel`. `ask` is called only when live.
    virtual std::optional<Bytes> Ask(std::string_view channel, std::string_view request, const LiveRequest& ask) = 0;
};

// This machine. With a capture log, every reply given is noted for the capture.
class LiveReplies final : public ReplySource {
public:
    explicit LiveReplies(CaptureLog* log = nullptr) : log_(log) {}
    bool IsLive() const override { return true; }
    std::optional<Bytes> Ask(std::string_view channel, std::string_view request, const LiveRequest& ask) override;

private:
    CaptureLog* log_;
};

// A captured tree: all reply files are read and checked when the tree is
// opened, so a malformed file is reported at once rather than halfway.
class RecordedReplies final : public ReplySource {
public:
    static constexpr std::string_view kDirectory = "/.veltrix/replies";
    static constexpr std::string_view kExtension = ".hex";

    explicit RecordedReplies(const RootFs& fs);
    // Empty when every reply file was good; otherwise the first bad file and
    // its line: "DIR/.veltrix/replies/cpuid/00000001.hex: line 3: ...".
    const std::string& Error() const { return error_; }
    std::size_t Count() const { return replies_.size(); }

    bool IsLive() const override { return false; }
    std::optional<Bytes> Ask(std::string_view channel, std::string_view request, const LiveRequest& ask) override;

private:
    std::map<std::pair<std::string, std::string>, Bytes, std::less<>> replies_;
    std::string error_;
};

// Channel and request names become file names: letters, digits, ".", "_" and
// "-", not starting with ".", at most 100 characters.
bool IsValidReplyName(std::string_view name);

// The numbers inside replies are little-endian, packed and read with the
// program's one set of byte readers; a read past a short reply gives nothing.
using base::AppendLe16;
using base::AppendLe32;
using base::AppendLe64;
using base::ReadLe16;
using base::ReadLe32;
using base::ReadLe64;

// Texts in replies: UTF-8 bytes, several texts separated by NUL bytes.
Bytes BytesOfText(std::string_view text);
std::string TextOfBytes(const Bytes& bytes);

}  // namespace platform::linux_backend
