#pragma once
// Where a command writes its standard output: the process's own (a reader
// that leaves early ends the command quietly) or, in tests, a string.

#include <string>
#include <string_view>

#include "base/codepage.h"
#include "platform/standard_streams.h"

namespace cli {

class CommandOutput {
public:
    virtual ~CommandOutput() = default;
    // `bytes` are text in code page `encoding` (what a console needs to show them).
    virtual platform::OutputResult Write(std::string_view bytes, base::CodePage encoding) = 0;
};

class ProcessOutput final : public CommandOutput {
public:
    platform::OutputResult Write(std::string_view bytes, base::CodePage encoding) override {
        return platform::WriteStandardOutput(bytes, encoding);
    }
};

class StringOutput final : public CommandOutput {
public:
    platform::OutputResult Write(std::string_view bytes, base::CodePage written) override {
        text.append(bytes);
        encoding = written;
        return platform::OutputResult::kWritten;
    }
    std::string text;
    base::CodePage encoding = base::CodePage::kUtf8;  // of the last write
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // a write failed, or the machine could not be read
inline constexpr int kExitUsage = 2;    // bad input: an option, a value, a file named

}  // namespace cli
