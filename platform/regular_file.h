#pragma once
// Reading a file the user names (a machine file) without trusting it to be
// one: a directory, a named pipe or a device is refused by what it is before
// anything is read from it, so neither /dev/zero nor a pipe nobody writes
// can make the program read without end or wait forever.

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// The most the program reads of one file it is given: a machine file, or a
// file of a captured tree.
inline constexpr std::size_t kFileReadLimit = 16u << 20;

struct FileRead {
    std::optional<std::string> content;  // the whole file
    std::string error;                   // when !content: "is a directory", "is larger than 16 MiB", ...
};

// The whole content of the regular file at `path` when it holds at most
// `limit` bytes.
FileRead ReadRegularFile(const std::string& path, std::size_t limit);

}  // namespace platform
