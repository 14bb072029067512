#include "platform/linux/privacy/masked_replies.h"

namespace platform::linux_backend {

std::optional<Bytes> MaskedReplies::Ask(std::string_view channel, std::string_view request, const LiveRequest& ask) {
    auto reply = source_->Ask(channel, request, ask);
    if (!reply) return reply;
    reply = filter_.MaskReply(channel, request, std::move(*reply));
    if (log_) log_->NoteReply(std::string(channel), std::string(request), *reply);
    return reply;
}

}  // namespace platform::linux_backend
