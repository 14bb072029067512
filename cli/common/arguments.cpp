#include "cli/common/arguments.h"

#include "base/printable_text.h"
#include "platform/input_excerpt.h"

namespace cli::detail {

bool SplitOption(const std::string& arg, std::string& name, std::string& value) {
    const auto eq = arg.find('=');
    if (arg.rfind("--", 0) != 0 || eq == std::string::npos) {
        name = arg;
        return false;
    }
    name = arg.substr(0, eq);
    value = arg.substr(eq + 1);
    return true;
}

}  // namespace cli::detail

namespace cli {

std::string AsciiLowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace cli

namespace cli {

std::string Quoted(std::string_view argument) { return '"' + platform::InputExcerpt(argument) + '"'; }

int FailureLine(std::ostream& err, std::string_view program, std::string_view message, int status) {
    // Room for a few quoted excerpts and the sentence around them.
    constexpr std::size_t kMessageLimit = 4 * platform::kExcerptLimit;
    err << program << ": " << base::EscapeNonPrintable(platform::InputExcerpt(message, kMessageLimit)) << "\n";
    return status;
}

}  // namespace cli
