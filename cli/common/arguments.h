#pragma once
// The command-line parser the commands share. A command lists its options in
// two small tables: flags, each bound to a bool of its argument record, and
// options that take a value (as the next argument or after "="), each bound
// to a string. One more flag is one more line in a table. What a value means
// is the command's own business, after parsing.

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

template <typename Parsed>
struct FlagOption {
    const char* name;  // "--version"
    bool Parsed::*member;
};

template <typename Parsed>
struct ValueOption {
    const char* name;  // "--output"
    std::string Parsed::*member;
};

// A value with its ASCII capitals made small: option values and category
// names are compared without regard to case, and their letters are ASCII.
std::string AsciiLowered(std::string text);

// An argument as an error line quotes it: in double quotes, and only its
// start when it is long (a pasted file on the command line stays a line a
// person reads, as a file's excerpt does).
std::string Quoted(std::string_view argument);

// Writes "<program>: <message>" as one line on `err`, control characters
// escaped, the message capped as a whole too (a path quoted by the layers
// below), and returns `status`.
int FailureLine(std::ostream& err, std::string_view program, std::string_view message, int status);

// Everything that is not an option, in order; "--" ends the options.
struct ParsedRest {
    std::vector<std::string> operands;
};

namespace detail {

// Splits "--name=value"; `value` set only when there is an "=".
bool SplitOption(const std::string& arg, std::string& name, std::string& value);

}  // namespace detail

// Fills `parsed` from the arguments (without the program name). On failure
// returns false with `error` set to the line to show, without usage.
template <typename Parsed>
bool ParseArguments(const std::vector<std::string>& args, std::span<const FlagOption<Parsed>> flags,
                    std::span<const ValueOption<Parsed>> values, Parsed& parsed, ParsedRest& rest,
                    std::string& error) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            rest.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name, value;
        const bool hasValue = detail::SplitOption(arg, name, value);
        bool known = false;
        for (const auto& flag : flags) {
            if (name != flag.name) continue;
            if (hasValue) {
                error = "option " + name + " takes no value";
                return false;
            }
            parsed.*flag.member = true;
            known = true;
        }
        for (const auto& option : values) {
            if (name != option.name) continue;
            if (!hasValue) {
                if (i + 1 == args.size()) {
                    error = "option " + name + " needs a value";
                    return false;
                }
                value = args[++i];
            }
            if (value.empty()) {
                error = "option " + name + " needs a non-empty value";
                return false;
            }
            parsed.*option.member = value;
            known = true;
        }
        if (!known) {
            error = "unknown option " + Quoted(arg);
            return false;
        }
    }
    return true;
}

}  // namespace cli
