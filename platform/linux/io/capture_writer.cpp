#include "platform/linux/io/capture_writer.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/linux/io/replies.h"
#include "platform/linux/io/reply_file.h"
#include "platform/linux/io/root_fs.h"

namespace platform::linux_backend {

namespace fs = std::filesystem;

namespace {

fs::path Under(const fs::path& base, const std::string& absolute) {
    const auto relative = RelativeToRoot(absolute);
    return relative ? base / *relative : fs::path();
}

std::string WriteFile(const fs::path& path, const std::string& content) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    if (error) return path.parent_path().string() + ": " + error.message();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) return path.string() + ": cannot be written";
    return {};
}

// A directory that does not exist yet is made where the nearest existing
// folder above it allows new entries.
std::string CheckCanCreate(const std::string& directory) {
    fs::path parent = fs::path(directory).lexically_normal().parent_path();
    if (parent.empty()) parent = ".";
    std::error_code error;
    while (!fs::exists(parent, error) && parent.has_relative_path()) parent = parent.parent_path();
    if (parent.empty()) parent = ".";
    if (!fs::is_directory(parent, error)) return directory + ": " + parent.string() + " is not a directory";
    if (::access(parent.c_str(), W_OK | X_OK) != 0)
        return directory + ": cannot be made in " + parent.string() + ": " + std::strerror(errno);
    return {};
}

}  // namespace

std::string CheckCaptureDirectory(const std::string& directory) {
    std::error_code error;
    // A link whose target is missing would only fail once the whole capture is done.
    if (fs::is_symlink(fs::symlink_status(directory, error)) && !fs::exists(directory, error))
        return directory + ": is a symbolic link to " + fs::read_symlink(directory, error).string() +
               ", which does not exist";
    const auto status = fs::status(directory, error);
    if (status.type() == fs::file_type::not_found) return CheckCanCreate(directory);
    if (error) return directory + ": " + error.message();
    if (!fs::is_directory(status)) return directory + ": exists and is not a directory";
    if (!fs::is_empty(directory, error)) return directory + ": is not empty";
    if (error) return directory + ": " + error.message();
    return {};
}

std::string WriteCapture(const CaptureLog& log, const std::string& directory, const std::string& about) {
    if (auto problem = CheckCaptureDirectory(directory); !problem.empty()) return problem;
    const fs::path base(directory);
    std::error_code error;
    fs::create_directories(base, error);
    if (error) return directory + ": " + error.message();

    for (const auto& [path, entries] : log.Directories()) {
        const fs::path target = Under(base, path);
        if (target.empty()) continue;
        fs::create_directories(target, error);
        if (error) return target.string() + ": " + error.message();
        for (const auto& entry : entries) {
            if (!entry.isDirectory) continue;
            fs::create_directories(target / entry.name, error);
            if (error) return (target / entry.name).string() + ": " + error.message();
        }
    }
    for (const auto& [path, content] : log.Files()) {
        const fs::path target = Under(base, path);
        if (target.empty()) continue;
        if (auto problem = WriteFile(target, content); !problem.empty()) return problem;
    }
    const fs::path replies = Under(base, std::string(RecordedReplies::kDirectory));
    for (const auto& [key, bytes] : log.Replies()) {
        const auto& [channel, request] = key;
        if (!IsValidReplyName(channel) || !IsValidReplyName(request)) continue;
        const fs::path target = replies / channel / (request + std::string(RecordedReplies::kExtension));
        if (auto problem = WriteFile(target, FormatReplyFile(channel, request, bytes)); !problem.empty())
            return problem;
    }
    return WriteFile(Under(base, kCaptureAboutFile), about);
}

}  // namespace platform::linux_backend
