#pragma once
// Where a command writes its standard output: the process's own (a reader
// that leaves early ends the command quietly) or, in tests, a string.

#include <string>
#include <string_view>

#include "platform/standard_streams.h"

namespace cli {

class CommandOutput {
public:
    virtual ~CommandOutput() = default;
    virtual platform::OutputResult Write(std::string_view bytes) = 0;
};

class ProcessOutput final : public CommandOutput {
public:
    platform::OutputResult Write(std::string_view bytes) override { return platform::WriteStandardOutput(bytes); }
};

class StringOutput final : public CommandOutput {
public:
    platform::OutputResult Write(std::string_view bytes) override {
        text.append(bytes);
        return platform::OutputResult::kWritten;
    }
    std::string text;
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // a write failed, or the machine could not be read
inline constexpr int kExitUsage = 2;    // bad input: an option, a value, a file named

}  // namespace cli
