#pragma once
// Strict reading of the machine file: every value is checked for its type and
// range, and a bad one is refused with its place in the file (a JSON pointer
// such as /processor/cpuid/0x00000001/2) and the reason.

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/input_excerpt.h"
#include "platform/sim/machine_document.h"

namespace platform::sim {

// The place and the reason each quote at most a few hundred bytes of the
// file (platform/input_excerpt.h), however long the key or value they name.
class SimFileError : public std::runtime_error {
public:
    SimFileError(const std::string& place, const std::string& reason)
        : std::runtime_error(InputExcerpt(place) + ": " + InputExcerpt(reason)) {}
};

struct NodeMember;

// A view of one value of the machine file (machine_document.h) that knows its
// place in the file. Views are small and copied freely; the document must
// outlive them.
class Node {
public:
    Node(const MachineDocument& document, std::uint32_t index, std::uint32_t parent)
        : document_(&document), index_(index), parent_(parent) {}
    // The whole document, whose place is "".
    static Node RootOf(const MachineDocument& document) {
        return Node(document, document.Root(), MachineDocument::kNone);
    }

    // A JSON pointer such as /usb/devices/3/port, spelt when asked for.
    std::string Place() const;
    bool IsNull() const { return Kind() == ValueKind::kNull; }
    bool IsBoolean() const { return Kind() == ValueKind::kBoolean; }
    bool IsString() const { return Kind() == ValueKind::kString || Kind() == ValueKind::kKey; }
    bool IsObject() const { return Kind() == ValueKind::kObject; }

    // The member `key` of an object, or nothing when absent. Fails when this is not an object.
    std::optional<Node> Member(const std::string& key) const;
    Node Element(std::size_t index) const;
    std::size_t Size() const;  // of an array; fails otherwise
    // Every member of an object, in the order of their names. A name is a
    // string node at its member's place (to be read as text or as a number).
    std::vector<NodeMember> Members() const;

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
    ValueKind Kind() const { return Record().Kind(); }
    const MachineDocument::Value& Record() const { return document_->At(index_); }
    std::string TypeName() const;
    void Expect(ValueKind kind, const char* expected) const;

    const MachineDocument* document_;
    std::uint32_t index_;
    std::uint32_t parent_;  // the array or object this value is in; kNone for the root
};

struct NodeMember {
    Node key;
    Node value;
};

// Reading stops at this depth of nested objects and arrays: a machine file
// nests a few levels, and millions of "[" would take seconds and gigabytes.
inline constexpr int kMaxMachineDepth = 64;

// Reads `text` into a document (machine_document.h); a syntax error, a key
// given twice in one object and nesting deeper than kMaxMachineDepth name
// their line and column.
MachineDocument ParseMachineText(std::string text);

}  // namespace platform::sim
