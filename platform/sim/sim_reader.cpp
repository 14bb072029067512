#include "platform/sim/sim_reader.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include <nlohmann/json.hpp>

namespace platform::sim {

namespace {

// "0x1F" or "31" as an unsigned number; nothing when the text is not one.
std::optional<std::uint64_t> ParseUnsignedText(std::string_view text) {
    std::uint64_t result = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        first += 2;
        base = 16;
    }
    auto [ptr, ec] = std::from_chars(first, last, result, base);
    if (ec != std::errc() || ptr != last || first == last) return std::nullopt;
    return result;
}

// A value as an error quotes it: a string in quotes with its escapes, a
// number as JSON writes it.
std::string Quoted(std::string_view text) { return nlohmann::json(std::string(text)).dump(); }

std::string FloatText(std::uint64_t bits) {
    double value = 0;
    static_assert(sizeof value == sizeof bits);
    std::memcpy(&value, &bits, sizeof value);
    return nlohmann::json(value).dump();
}

}  // namespace

std::string Node::Place() const {
    std::vector<std::string> names;
    // A member's name stands at its member's place.
    std::uint32_t index = Kind() == ValueKind::kKey ? index_ + 1 : index_;
    for (std::uint32_t parent = parent_; parent != MachineDocument::kNone;) {
        const MachineDocument::Value& container = document_->At(parent);
        if (container.Kind() == ValueKind::kObject) names.emplace_back(document_->StringAt(index - 1));
        else names.push_back(std::to_string(index - container.first));
        index = parent;
        parent = container.second;
    }
    std::string place;
    for (auto name = names.rbegin(); name != names.rend(); ++name) place += "/" + *name;
    return place;
}

std::string Node::TypeName() const {
    switch (Kind()) {
        case ValueKind::kNull: return "null";
        case ValueKind::kBoolean: return "boolean";
        case ValueKind::kUnsigned:
        case ValueKind::kInteger:
        case ValueKind::kFloat: return "number";
        case ValueKind::kString:
        case ValueKind::kKey: return "string";
        case ValueKind::kArray: return "array";
        case ValueKind::kObject: return "object";
    }
    return "value";
}

void Node::Expect(ValueKind kind, const char* expected) const {
    if (Kind() != kind) Fail(std::string("expected ") + expected + ", found " + TypeName());
}

std::optional<Node> Node::Member(const std::string& key) const {
    Expect(ValueKind::kObject, "an object");
    const std::uint32_t member = document_->FindMember(index_, key);
    if (member == MachineDocument::kNone) return std::nullopt;
    return Node(*document_, member, index_);
}

Node Node::Element(std::size_t index) const {
    Expect(ValueKind::kArray, "an array");
    if (index >= Record().Count()) Fail("expected at least " + std::to_string(index + 1) + " elements");
    return Node(*document_, Record().first + static_cast<std::uint32_t>(index), index_);
}

std::size_t Node::Size() const {
    Expect(ValueKind::kArray, "an array");
    return Record().Count();
}

std::vector<NodeMember> Node::Members() const {
    Expect(ValueKind::kObject, "an object");
    std::vector<NodeMember> members;
    members.reserve(Record().Count() / 2);
    for (std::uint32_t name = Record().first; name < Record().first + Record().Count(); name += 2)
        members.push_back({Node(*document_, name, index_), Node(*document_, name + 1, index_)});
    return members;
}

std::uint64_t Node::Unsigned(std::uint64_t max) const {
    std::optional<std::uint64_t> v;
    switch (Kind()) {
        case ValueKind::kUnsigned: v = Record().Number(); break;
        case ValueKind::kInteger:
            Fail("expected a number from 0 to " + std::to_string(max) + ", found " +
                 std::to_string(static_cast<std::int64_t>(Record().Number())));
        case ValueKind::kString:
        case ValueKind::kKey:
            v = ParseUnsignedText(document_->StringAt(index_));
            if (!v) Fail("expected a decimal or 0x-hexadecimal number, found " + Quoted(document_->StringAt(index_)));
            break;
        case ValueKind::kFloat:
            Fail("expected a whole number from 0 to " + std::to_string(max) + ", found " + FloatText(Record().Number()));
        default: Fail("expected a number, found " + TypeName());
    }
    if (*v > max) Fail("expected a number from 0 to " + std::to_string(max) + ", found " + std::to_string(*v));
    return *v;
}

std::int64_t Node::Signed(std::int64_t min, std::int64_t max) const {
    if (Kind() == ValueKind::kFloat) Fail("expected a whole number, found " + FloatText(Record().Number()));
    if (Kind() != ValueKind::kUnsigned && Kind() != ValueKind::kInteger)
        Fail("expected a whole number, found " + TypeName());
    if (Kind() == ValueKind::kUnsigned && Record().Number() > static_cast<std::uint64_t>(max))
        Fail("expected a number from " + std::to_string(min) + " to " + std::to_string(max));
    const auto v = static_cast<std::int64_t>(Record().Number());
    if (v < min || v > max)
        Fail("expected a number from " + std::to_string(min) + " to " + std::to_string(max) + ", found " +
             std::to_string(v));
    return v;
}

bool Node::Boolean() const {
    if (!IsBoolean()) Fail("expected true or false, found " + TypeName());
    return Record().first != 0;
}

std::string Node::Text() const {
    if (!IsString()) Fail("expected a string, found " + TypeName());
    return std::string(document_->StringAt(index_));
}

std::uint64_t Node::Unsigned(const std::string& key, std::uint64_t max, std::uint64_t fallback) const {
    auto m = Member(key);
    return m ? m->Unsigned(max) : fallback;
}

bool Node::Boolean(const std::string& key, bool fallback) const {
    auto m = Member(key);
    return m ? m->Boolean() : fallback;
}

std::string Node::Text(const std::string& key, const std::string& fallback) const {
    auto m = Member(key);
    return m ? m->Text() : fallback;
}

void Node::OnlyKeys(std::initializer_list<const char*> known) const {
    OnlyKeys(std::span<const char* const>(known.begin(), known.size()));
}

void Node::OnlyKeys(std::span<const char* const> known) const {
    Expect(ValueKind::kObject, "an object");
    for (std::uint32_t name = Record().first; name < Record().first + Record().Count(); name += 2) {
        const std::string_view key = document_->StringAt(name);
        if (std::none_of(known.begin(), known.end(), [&](const char* k) { return key == k; }))
            Fail("unknown key \"" + std::string(key) + "\"");
    }
}

void Node::Fail(const std::string& reason) const {
    const std::string place = Place();
    throw SimFileError(place.empty() ? "/" : place, reason);
}

}  // namespace platform::sim
