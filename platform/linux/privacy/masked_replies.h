#pragma once
// The replies of a masked run: every reply passes through the privacy
// filter before the backend sees it, and the masked reply is what a capture
// records. With a capture log, replies are noted on a captured tree as well,
// so a tree can be captured again masked.

#include <memory>

#include "platform/linux/io/capture_log.h"
#include "platform/linux/io/replies.h"
#include "platform/linux/privacy/privacy_filter.h"

namespace platform::linux_backend {

class MaskedReplies final : public ReplySource {
public:
    MaskedReplies(std::unique_ptr<ReplySource> source, PrivacyFilter& filter, CaptureLog* log)
        : source_(std::move(source)), filter_(filter), log_(log) {}

    bool IsLive() const override { return source_->IsLive(); }
    std::optional<Bytes> Ask(std::string_view channel, std::string_view request, const LiveRequest& ask) override;

private:
    std::unique_ptr<ReplySource> source_;
    PrivacyFilter& filter_;
    CaptureLog* log_;
};

}  // namespace platform::linux_backend
