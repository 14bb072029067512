#pragma once
// The reviewed expected reports of the simulated machines (tests/machines)
// and the captured trees (tests/trees), and the one switch that rewrites
// them: with VELTRIX_REWRITE_EXPECTED=1 each such test writes what this build
// produces over its expected file instead of comparing, so a change that
// alters reports is reviewed with `git diff` rather than edited by hand.
// VELTRIX_TEST_DATA_DIR names a copy of tests/ (machines/ and trees/ in it)
// to read and rewrite instead of the source tree's; the switch's own test
// works on such a copy.

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace testing_support {

inline bool RewritesExpectedOutputs() {
    const char* value = std::getenv("VELTRIX_REWRITE_EXPECTED");
    return value && *value && std::string(value) != "0";
}

// `folder` ("machines", "trees") of the copy VELTRIX_TEST_DATA_DIR names,
// else `builtIn`, the source tree's.
inline std::string TestDataFolder(const std::string& builtIn, const std::string& folder) {
    const char* copy = std::getenv("VELTRIX_TEST_DATA_DIR");
    return copy && *copy ? std::string(copy) + "/" + folder : builtIn;
}

// With the switch on: writes `actual` over the expected file when the two
// differ (an equal file is left untouched) and says so; true, the caller then
// has nothing to compare. With the switch off: false, and nothing written.
inline bool RewriteExpectedOutput(const std::string& expectedPath, const std::string& actual) {
    if (!RewritesExpectedOutputs()) return false;
    std::ifstream in(expectedPath, std::ios::binary);
    const std::string before{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (before == actual) return true;
    std::ofstream out(expectedPath, std::ios::binary | std::ios::trunc);
    out << actual;
    out.close();
    if (!out) {
        std::cerr << "could not rewrite " << expectedPath << "\n";
        return false;
    }
    std::cerr << "rewrote " << expectedPath << "\n";
    return true;
}

}  // namespace testing_support
