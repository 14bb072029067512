#include "platform/sim/sim_reader.h"

#include <charconv>
#include <cstddef>
#include <iterator>
#include <limits>
#include <unordered_set>
#include <vector>

namespace platform::sim {

namespace {

std::string TypeName(const nlohmann::json& v) { return v.type_name(); }

// "0x1F" or "31" as an unsigned number; nothing when the text is not one.
std::optional<std::uint64_t> ParseUnsignedText(const std::string& text) {
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

// The byte offset where reading stopped, as a line and column a person can find.
std::string LineAndColumn(const std::string& text, std::size_t byte) {
    std::size_t line = 1, column = 1;
    const std::size_t end = std::min<std::size_t>(byte == 0 ? 0 : byte - 1, text.size());
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// Reads a document only to learn where reading stops.
class ErrorOffset final : public nlohmann::json_sax<nlohmann::json> {
public:
    std::size_t byte = 0;

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    // `position` follows the last character read; the place is where that token starts.
    bool parse_error(std::size_t position, const std::string& token, const nlohmann::json::exception&) override {
        byte = position >= token.size() ? position - token.size() + 1 : position;
        return false;
    }
};

}  // namespace

std::optional<Node> Node::Member(const std::string& key) const {
    if (!value_->is_object()) Fail("expected an object, found " + TypeName(*value_));
    auto it = value_->find(key);
    if (it == value_->end()) return std::nullopt;
    return Node(*it, place_ + "/" + key);
}

Node Node::Element(std::size_t index) const {
    if (!value_->is_array()) Fail("expected an array, found " + TypeName(*value_));
    if (index >= value_->size()) Fail("expected at least " + std::to_string(index + 1) + " elements");
    return Node((*value_)[index], place_ + "/" + std::to_string(index));
}

std::size_t Node::Size() const {
    if (!value_->is_array()) Fail("expected an array, found " + TypeName(*value_));
    return value_->size();
}

std::uint64_t Node::Unsigned(std::uint64_t max) const {
    std::optional<std::uint64_t> v;
    if (value_->is_number_unsigned()) {
        v = value_->get<std::uint64_t>();
    } else if (value_->is_number_integer()) {
        Fail("expected a number from 0 to " + std::to_string(max) + ", found " + value_->dump());
    } else if (value_->is_string()) {
        v = ParseUnsignedText(value_->get<std::string>());
        if (!v) Fail("expected a decimal or 0x-hexadecimal number, found " + value_->dump());
    } else if (value_->is_number_float()) {
        Fail("expected a whole number from 0 to " + std::to_string(max) + ", found " + value_->dump());
    } else {
        Fail("expected a number, found " + TypeName(*value_));
    }
    if (*v > max) Fail("expected a number from 0 to " + std::to_string(max) + ", found " + std::to_string(*v));
    return *v;
}

std::int64_t Node::Signed(std::int64_t min, std::int64_t max) const {
    if (value_->is_number_float()) Fail("expected a whole number, found " + value_->dump());
    if (!value_->is_number_integer()) Fail("expected a whole number, found " + TypeName(*value_));
    if (value_->is_number_unsigned() && value_->get<std::uint64_t>() > static_cast<std::uint64_t>(max))
        Fail("expected a number from " + std::to_string(min) + " to " + std::to_string(max));
    const auto v = value_->get<std::int64_t>();
    if (v < min || v > max)
        Fail("expected a number from " + std::to_string(min) + " to " + std::to_string(max) + ", found " +
             std::to_string(v));
    return v;
}

bool Node::Boolean() const {
    if (!value_->is_boolean()) Fail("expected true or false, found " + TypeName(*value_));
    return value_->get<bool>();
}

std::string Node::Text() const {
    if (!value_->is_string()) Fail("expected a string, found " + TypeName(*value_));
    return value_->get<std::string>();
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
    if (!value_->is_object()) Fail("expected an object, found " + TypeName(*value_));
    for (const auto& item : value_->items()) {
        bool found = false;
        for (const char* k : known) found = found || item.key() == k;
        if (!found) Fail("unknown key \"" + item.key() + "\"");
    }
}

void Node::Fail(const std::string& reason) const { throw SimFileError(place_.empty() ? "/" : place_, reason); }

namespace {

// Walks the text for the parser and counts what it consumed, so that the
// checks made while parsing can name their place.
class CountingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator(const char* at, const char* begin, std::size_t* consumed)
        : at_(at), begin_(begin), consumed_(consumed) {}
    reference operator*() const { return *at_; }
    CountingIterator& operator++() {
        ++at_;
        *consumed_ = static_cast<std::size_t>(at_ - begin_);
        return *this;
    }
    CountingIterator operator++(int) {
        CountingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const CountingIterator& other) const { return at_ == other.at_; }

private:
    const char* at_;
    const char* begin_;
    std::size_t* consumed_;
};

// Where the key whose closing quote was the last character consumed starts.
std::size_t KeyStart(const std::string& text, std::size_t consumed) {
    std::size_t at = consumed >= 2 ? consumed - 2 : 0;
    while (at > 0) {
        if (text[at] == '"') {
            std::size_t backslashes = 0;
            while (backslashes < at && text[at - 1 - backslashes] == '\\') ++backslashes;
            if (backslashes % 2 == 0) break;
        }
        --at;
    }
    return at;
}

// Refuses, while the document is read, what the parser would accept: a key
// given twice in one object (the parser keeps the last silently) and nesting
// deeper than kMaxMachineDepth.
class StrictReading {
public:
    StrictReading(const std::string& text, const std::size_t& consumed) : text_(text), consumed_(consumed) {}

    bool operator()(int depth, nlohmann::json::parse_event_t event, nlohmann::json& parsed) {
        using Event = nlohmann::json::parse_event_t;
        if (event == Event::object_start || event == Event::array_start) {
            if (depth >= kMaxMachineDepth)
                throw SimFileError(LineAndColumn(text_, consumed_),
                                   "nested deeper than " + std::to_string(kMaxMachineDepth) + " levels");
            if (event == Event::object_start) keys_.emplace_back();
        } else if (event == Event::object_end) {
            keys_.pop_back();
        } else if (event == Event::key && !keys_.empty()) {
            std::string key = parsed.get<std::string>();
            if (!keys_.back().insert(key).second)
                throw SimFileError(LineAndColumn(text_, KeyStart(text_, consumed_) + 1),
                                   "the key \"" + key + "\" is given twice in one object");
        }
        return true;
    }

private:
    const std::string& text_;
    const std::size_t& consumed_;
    std::vector<std::unordered_set<std::string>> keys_;  // of each open object
};

}  // namespace

nlohmann::json ParseMachineText(const std::string& text) {
    try {
        std::size_t consumed = 0;
        const CountingIterator first(text.data(), text.data(), &consumed);
        const CountingIterator last(text.data() + text.size(), text.data(), &consumed);
        return nlohmann::json::parse(first, last, StrictReading(text, consumed));
    } catch (const nlohmann::json::parse_error& e) {
        std::string reason = e.what();
        if (auto pos = reason.find("syntax error"); pos != std::string::npos) reason = reason.substr(pos);
        throw SimFileError(LineAndColumn(text, e.byte), reason);
    } catch (const nlohmann::json::exception& e) {
        // A number too large for any JSON number type ("1e400") is refused
        // as out of range, without its place; reading again finds it.
        ErrorOffset offset;
        nlohmann::json::sax_parse(text, &offset);
        std::string reason = e.what();
        if (auto pos = reason.find("] "); pos != std::string::npos) reason = reason.substr(pos + 2);
        throw SimFileError(LineAndColumn(text, offset.byte), reason);
    }
}

}  // namespace platform::sim
