#pragma once
// The root paths in the answer of GetLogicalDriveStringsA: each ended by NUL;
// whatever follows the last NUL is not a root.

#include <string>
#include <string_view>
#include <vector>

namespace collectors {

inline std::vector<std::string> SplitDriveStrings(std::string_view strings) {
    std::vector<std::string> roots;
    std::size_t start = 0;
    for (std::size_t i = 0; i < strings.size(); ++i) {
        if (strings[i] != '\0') continue;
        roots.emplace_back(strings.substr(start, i - start));
        start = i + 1;
    }
    return roots;
}

}  // namespace collectors
