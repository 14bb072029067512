#pragma once
// What a live run read and asked, kept so that veltrix-capture can write the
// same files and replies into a captured tree (docs/captures.md).

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/bytes.h"

namespace platform::linux_backend {

using base::Bytes;

struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;

    bool operator==(const DirectoryEntry&) const = default;
};

class CaptureLog {
public:
    // The content of a file as it was read (the last read wins, so the
    // capture holds what the collectors saw most recently).
    void NoteFile(const std::string& path, std::string content) { files_[path] = std::move(content); }
    void NoteDirectory(const std::string& path, std::vector<DirectoryEntry> entries) {
        directories_[path] = std::move(entries);
    }
    // A reply that is not a file: an instruction's result, an ioctl's bytes,
    // the X server's answer. Failed requests are not noted: a missing reply
    // is how a captured tree says "the request failed".
    void NoteReply(const std::string& channel, const std::string& request, Bytes reply) {
        replies_[{channel, request}] = std::move(reply);
    }

    const std::map<std::string, std::string>& Files() const { return files_; }
    const std::map<std::string, std::vector<DirectoryEntry>>& Directories() const { return directories_; }
    const std::map<std::pair<std::string, std::string>, Bytes>& Replies() const { return replies_; }

private:
    std::map<std::string, std::string> files_;
    std::map<std::string, std::vector<DirectoryEntry>> directories_;
    std::map<std::pair<std::string, std::string>, Bytes> replies_;
};

}  // namespace platform::linux_backend
