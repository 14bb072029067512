#pragma once
// Strict reading of the machine file: every value is checked for its type and
// range, and a bad one is refused with its place in the file (a JSON pointer
// such as /processor/cpuid/0x00000001/2) and the reason.

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/input_excerpt.h"

namespace platform::sim {

// The place and the reason each quote at most a few hundred bytes of the
// file (platform/input_excerpt.h), however long the key or value they name.
class SimFileError : public std::runtime_error {
public:
    SimFileError(const std::string& place, const std::string& reason)
        : std::runtime_error(InputExcerpt(place) + ": " + InputExcerpt(reason)) {}
};

// A view of one JSON value together with its place in the file.
class Node {
public:
    Node(const nlohmann::json& value, std::string place) : value_(&value), place_(std::move(place)) {}

    const std::string& Place() const { return place_; }
    const nlohmann::json& Json() const { return *value_; }
    bool IsNull() const { return value_->is_null(); }

    // The member `key` of an object, or nothing when absent. Fails when this is not an object.
    std::optional<Node> Member(const std::string& key) const;
    Node Element(std::size_t index) const;
    std::size_t Size() const;  // of an array; fails otherwise

    // Numbers may be written in decimal or as "0x..." strings.
    std::uint64_t Unsigned(std::uint64_t max) const;
    std::int64_t Signed(std::int64_t min, std::int64_t max) const;
    bool Boolean() const;
    std::string Text() const;

    // Reads member `key` when present, else gives `fallback`.
    std::uint64_t Unsigned(const std::string& key, std::uint64_t max, std::uint64_t fallback) const;
    bool Boolean(const std::string& key, bool fallback) const;
    std::string Text(const std::string& key, const std::string& fallback) const;

    // Every member name must be one of `known` (catches misspelt keys).
    void OnlyKeys(std::initializer_list<const char*> known) const;
    void OnlyKeys(std::span<const char* const> known) const;

    [[noreturn]] void Fail(const std::string& reason) const;

private:
    const nlohmann::json* value_;
    std::string place_;
};

// Reading stops at this depth of nested objects and arrays: a machine file
// nests a few levels, and millions of "[" would take seconds and gigabytes.
inline constexpr int kMaxMachineDepth = 64;

// Parses `text`; a syntax error, a key given twice in one object and nesting
// deeper than kMaxMachineDepth name their line and column.
nlohmann::json ParseMachineText(const std::string& text);

}  // namespace platform::sim
