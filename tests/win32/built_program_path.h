#pragma once
// A program of the build by the path the build gives it: under Wine the
// build's paths are the Linux ones, which Wine reaches through drive Z:.

#include <string>

namespace testing_support {

inline std::string BuiltProgramPath(std::string path) {
    if (path.empty() || path[0] != '/') return path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return "Z:" + path;
}

}  // namespace testing_support
