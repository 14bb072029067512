#include "platform/linux/io/capture_writer.h"

#include "platform/linux/io/replies.h"
#include "platform/linux/io/reply_file.h"
#include "platform/linux/io/root_fs.h"

namespace platform::linux_backend {

std::string WriteCapture(const CaptureLog& log, CaptureTarget& target, const std::string& about) {
    if (!target.IsOpen()) return target.Error();
    for (const auto& [path, entries] : log.Directories()) {
        const auto relative = RelativeToRoot(path);
        if (!relative) continue;
        if (auto problem = target.MakeDirectories(*relative); !problem.empty()) return problem;
        for (const auto& entry : entries) {
            if (!entry.isDirectory) continue;
            if (auto problem = target.MakeDirectories(*relative + "/" + entry.name); !problem.empty()) return problem;
        }
    }
    for (const auto& [path, content] : log.Files()) {
        const auto relative = RelativeToRoot(path);
        if (!relative) continue;
        if (auto problem = target.WriteFile(*relative, content); !problem.empty()) return problem;
    }
    const std::string replies = *RelativeToRoot(std::string(RecordedReplies::kDirectory));
    for (const auto& [key, bytes] : log.Replies()) {
        const auto& [channel, request] = key;
        if (!IsValidReplyName(channel) || !IsValidReplyName(request)) continue;
        const std::string file = replies + "/" + channel + "/" + request + std::string(RecordedReplies::kExtension);
        if (auto problem = target.WriteFile(file, FormatReplyFile(channel, request, bytes)); !problem.empty())
            return problem;
    }
    return target.WriteFile(*RelativeToRoot(kCaptureAboutFile), about);
}

std::string WriteCapture(const CaptureLog& log, const std::string& directory, const std::string& about) {
    CaptureTarget target(directory);
    return WriteCapture(log, target, about);
}

std::string CheckCaptureDirectory(const std::string& directory) {
    CaptureTarget target(directory);
    const std::string problem = target.Error();
    target.Abandon();
    return problem;
}

}  // namespace platform::linux_backend
