#include "platform/linux/io/replies.h"

#include "platform/linux/io/reply_file.h"

namespace platform::linux_backend {

namespace {

constexpr std::size_t kMaxNameLength = 100;

}  // namespace

bool IsValidReplyName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameLength || name.front() == '.') return false;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                        c == '_' || c == '-';
        if (!ok) return false;
    }
    return true;
}

std::optional<Bytes> LiveReplies::Ask(std::string_view channel, std::string_view request, const LiveRequest& ask) {
    if (!IsValidReplyName(channel) || !IsValidReplyName(request) || !ask) return std::nullopt;
    auto reply = ask();
    if (reply && log_) log_->NoteReply(std::string(channel), std::string(request), *reply);
    return reply;
}

RecordedReplies::RecordedReplies(const RootFs& fs) {
    const std::string base(kDirectory);
    const auto channels = fs.ListDirectory(base);
    if (!channels) return;  // a tree without replies: every request fails
    for (const auto& channel : *channels) {
        if (!channel.isDirectory || !IsValidReplyName(channel.name)) continue;
        const std::string channelPath = base + "/" + channel.name;
        const auto requests = fs.ListDirectory(channelPath);
        if (!requests) continue;
        for (const auto& file : *requests) {
            const std::string& name = file.name;
            if (file.isDirectory || name.size() <= kExtension.size() ||
                name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension) != 0)
                continue;  // notes and other files beside the replies are allowed
            const std::string request = name.substr(0, name.size() - kExtension.size());
            const std::string path = channelPath + "/" + name;
            const std::string shown = fs.Shown(path);
            if (!IsValidReplyName(request)) {
                if (error_.empty()) error_ = shown + ": the request name is not a valid name";
                continue;
            }
            const auto text = fs.ReadFile(path);
            if (!text) {
                if (error_.empty()) error_ = shown + ": cannot be read";
                continue;
            }
            auto parsed = ParseReplyFile(*text);
            if (!parsed.bytes) {
                if (error_.empty()) error_ = shown + ": " + parsed.error;
                continue;
            }
            replies_[{channel.name, request}] = std::move(*parsed.bytes);
        }
    }
}

std::optional<Bytes> RecordedReplies::Ask(std::string_view channel, std::string_view request, const LiveRequest&) {
    const auto found = replies_.find(std::pair<std::string, std::string>(channel, request));
    if (found == replies_.end()) return std::nullopt;
    return found->second;
}

Bytes BytesOfText(std::string_view text) { return Bytes(text.begin(), text.end()); }
std::string TextOfBytes(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace platform::linux_backend
