#pragma once
// Helpers of the Linux backend tests: temporary trees and running the
// command-line programs.

#include <map>
#include <string>
#include <vector>

namespace linux_tests {

// A fresh directory, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Writes `content` at `relative`, creating the directories on the way.
    void Write(const std::string& relative, const std::string& content) const;

private:
    std::string path_;
};

std::string ReadWholeFile(const std::string& path);

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};
// Runs a program with the given arguments; `environment` entries are added to
// (or replace those of) this process's environment.
RunResult RunProgram(const std::vector<std::string>& args, const std::map<std::string, std::string>& environment = {});

// Lines of a report without their CR LF.
std::vector<std::string> ReportLines(const std::string& report);

}  // namespace linux_tests
