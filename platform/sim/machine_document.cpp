#include "platform/sim/machine_document.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <unordered_set>

#include <nlohmann/json.hpp>

#include "platform/sim/sim_reader.h"

namespace platform::sim {

std::uint32_t MachineDocument::Append(const Value& value) {
    if (size_ % kChunk == 0) chunks_.push_back(std::make_unique<Value[]>(kChunk));
    const auto index = static_cast<std::uint32_t>(size_++);
    Mutable(index) = value;
    return index;
}

std::string_view MachineDocument::StringAt(std::uint32_t index) const {
    const Value& value = At(index);
    const std::string& bytes = value.Pooled() ? pool_ : text_;
    return std::string_view(bytes).substr(value.first, value.second);
}

std::uint32_t MachineDocument::FindMember(std::uint32_t index, std::string_view name) const {
    const Value& object = At(index);
    std::uint32_t low = 0, high = object.Count() / 2;  // name and value pairs, sorted by name
    while (low < high) {
        const std::uint32_t middle = low + (high - low) / 2;
        const std::string_view found = StringAt(object.first + 2 * middle);
        if (found == name) return object.first + 2 * middle + 1;
        if (found < name) low = middle + 1;
        else high = middle;
    }
    return kNone;
}

namespace {

// The byte offset where reading stopped, as a line and column a person can find.
std::string LineAndColumn(std::string_view text, std::size_t byte) {
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

using Value = MachineDocument::Value;

Value Record(ValueKind kind, std::uint32_t first, std::uint32_t second, std::uint32_t count = 0) {
    return Value{first, second, static_cast<std::uint32_t>(kind) | (count << MachineDocument::kCountShift)};
}

Value NumberRecord(ValueKind kind, std::uint64_t number) {
    return Record(kind, static_cast<std::uint32_t>(number), static_cast<std::uint32_t>(number >> 32));
}

bool IsContainer(const Value& value) {
    return value.Kind() == ValueKind::kArray || value.Kind() == ValueKind::kObject;
}

// An object holds this many members before its names go into a hash set:
// comparing with each is quicker for the few keys most objects have.
constexpr std::uint32_t kNamesComparedOneByOne = 16;

}  // namespace

// Builds the tree while the library's lexer reads the text, event by event.
// Values wait on a stack until their array or object closes; then they move
// into the document side by side (an object's sorted by name). Where a string
// or a bracket stands in the text is found by a cursor that follows the
// events: no quote or bracket can stand between two of them unseen.
class DocumentBuilder final : public nlohmann::json_sax<nlohmann::json> {
public:
    explicit DocumentBuilder(MachineDocument& document) : document_(document), text_(document.text_) {}

    bool null() override { return Scalar(Record(ValueKind::kNull, 0, 0)); }
    bool boolean(bool value) override { return Scalar(Record(ValueKind::kBoolean, value ? 1 : 0, 0)); }
    bool number_integer(number_integer_t value) override {
        return Scalar(NumberRecord(ValueKind::kInteger, static_cast<std::uint64_t>(value)));
    }
    bool number_unsigned(number_unsigned_t value) override { return Scalar(NumberRecord(ValueKind::kUnsigned, value)); }
    bool number_float(number_float_t value, const string_t&) override {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        return Scalar(NumberRecord(ValueKind::kFloat, bits));
    }
    bool string(string_t& value) override {
        StringRecord(ValueKind::kString, value);
        return true;
    }
    bool binary(binary_t&) override { return true; }  // only binary formats have these
    bool key(string_t& name) override;
    bool start_object(std::size_t) override { return Open(true); }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(false); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t position, const std::string& token, const nlohmann::json::exception& error) override;

    // After the last event: the root takes its place.
    void Finish() {
        if (pending_.size() != 1) throw SimFileError("/", "the file holds no value");
        document_.root_ = Place(pending_.back());
    }

private:
    struct NameHash {
        const DocumentBuilder* builder;
        std::size_t operator()(std::uint32_t index) const { return std::hash<std::string_view>()(builder->Name(index)); }
    };
    struct NameEqual {
        const DocumentBuilder* builder;
        bool operator()(std::uint32_t a, std::uint32_t b) const { return builder->Name(a) == builder->Name(b); }
    };
    using NameSet = std::unordered_set<std::uint32_t, NameHash, NameEqual>;
    struct Frame {
        std::uint32_t pendingStart;
        bool object;
        std::unique_ptr<NameSet> names;  // of an object past kNamesComparedOneByOne members
    };

    bool Scalar(const Value& value) {
        pending_.push_back(value);
        return true;
    }
    std::string_view Name(std::uint32_t pendingIndex) const {
        const Value& value = pending_[pendingIndex];
        return std::string_view(value.Pooled() ? document_.pool_ : text_).substr(value.first, value.second);
    }
    std::size_t StringRecord(ValueKind kind, const std::string& decoded);
    void RefuseTwice(std::size_t quote, const std::string& name) const;
    bool Open(bool object);
    bool Close();
    void SortMembers(std::uint32_t start, std::uint32_t count);
    std::uint32_t Place(const Value& value);

    MachineDocument& document_;
    const std::string& text_;
    std::size_t cursor_ = 0;  // just past the last string or bracket found
    std::vector<Value> pending_;
    std::vector<Frame> frames_;
    std::vector<std::uint32_t> order_;
};

// Finds the string the lexer just read, from its opening quote: where its
// bytes stand unchanged, the record points into the text; a string spelt
// with escapes is kept decoded in the pool. Gives the opening quote's offset.
std::size_t DocumentBuilder::StringRecord(ValueKind kind, const std::string& decoded) {
    const std::size_t quote = std::min(text_.find('"', cursor_), text_.size());
    const std::size_t start = quote + 1;
    const std::size_t length = decoded.size();
    // No backslash before a quote at the decoded length: the bytes are the string.
    if (start + length < text_.size() && text_[start + length] == '"' &&
        std::memchr(text_.data() + start, '\\', length) == nullptr) {
        cursor_ = start + length + 1;
        pending_.push_back(Record(kind, static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(length)));
        return quote;
    }
    std::size_t at = start;
    while (at < text_.size() && text_[at] != '"') at += text_[at] == '\\' ? 2 : 1;
    cursor_ = std::min(at + 1, text_.size());
    // Decoded escapes are shorter than their spelling: the pool never outgrows the text.
    if (document_.pool_.capacity() < text_.size()) document_.pool_.reserve(text_.size());
    const auto offset = static_cast<std::uint32_t>(document_.pool_.size());
    document_.pool_ += decoded;
    Value value = Record(kind, offset, static_cast<std::uint32_t>(length));
    value.kindAndCount |= MachineDocument::kPooledFlag;
    pending_.push_back(value);
    return quote;
}

bool DocumentBuilder::key(string_t& name) {
    const std::size_t quote = StringRecord(ValueKind::kKey, name);
    Frame& frame = frames_.back();
    const auto added = static_cast<std::uint32_t>(pending_.size() - 1);
    auto& work = document_.work_;
    if (frame.names) {
        ++work.namesCompared;
        if (!frame.names->insert(added).second) RefuseTwice(quote, name);
        return true;
    }
    for (std::uint32_t at = frame.pendingStart; at < added; at += 2) {
        ++work.namesCompared;
        if (Name(at) == Name(added)) RefuseTwice(quote, name);
    }
    if ((added - frame.pendingStart) / 2 + 1 == kNamesComparedOneByOne) {
        frame.names = std::make_unique<NameSet>(4 * kNamesComparedOneByOne, NameHash{this}, NameEqual{this});
        for (std::uint32_t at = frame.pendingStart; at <= added; at += 2) frame.names->insert(at);
    }
    return true;
}

void DocumentBuilder::RefuseTwice(std::size_t quote, const std::string& name) const {
    throw SimFileError(LineAndColumn(text_, quote + 1), "the key \"" + name + "\" is given twice in one object");
}

bool DocumentBuilder::Open(bool object) {
    const std::size_t bracket = std::min(text_.find_first_of("[{", cursor_), text_.size());
    cursor_ = bracket + 1;
    if (frames_.size() >= static_cast<std::size_t>(kMaxMachineDepth))
        throw SimFileError(LineAndColumn(text_, bracket + 1),
                           "nested deeper than " + std::to_string(kMaxMachineDepth) + " levels");
    frames_.push_back(Frame{static_cast<std::uint32_t>(pending_.size()), object, nullptr});
    return true;
}

bool DocumentBuilder::Close() {
    const Frame frame = std::move(frames_.back());
    frames_.pop_back();
    const auto count = static_cast<std::uint32_t>(pending_.size() - frame.pendingStart);
    if (count > (std::numeric_limits<std::uint32_t>::max() >> MachineDocument::kCountShift))
        throw SimFileError(LineAndColumn(text_, cursor_), "too many values in one array or object");
    const auto first = static_cast<std::uint32_t>(document_.size_);
    if (frame.object) {
        SortMembers(frame.pendingStart, count);
    } else {
        for (std::uint32_t i = frame.pendingStart; i < pending_.size(); ++i) Place(pending_[i]);
    }
    pending_.resize(frame.pendingStart);
    pending_.push_back(Record(frame.object ? ValueKind::kObject : ValueKind::kArray, first, MachineDocument::kNone, count));
    return true;
}

// Places the name and value pairs in the order of their names.
void DocumentBuilder::SortMembers(std::uint32_t start, std::uint32_t count) {
    order_.clear();
    for (std::uint32_t pair = 0; pair < count / 2; ++pair) order_.push_back(start + 2 * pair);
    const auto byName = [this](std::uint32_t a, std::uint32_t b) {
        ++document_.work_.namesSorted;
        return Name(a) < Name(b);
    };
    if (!std::is_sorted(order_.begin(), order_.end(), byName)) std::sort(order_.begin(), order_.end(), byName);
    for (const std::uint32_t name : order_) {
        Place(pending_[name]);
        Place(pending_[name + 1]);
    }
}

// Moves a record into the document; the arrays and objects in it learn where it is.
std::uint32_t DocumentBuilder::Place(const Value& value) {
    const std::uint32_t index = document_.Append(value);
    ++document_.work_.recordsWritten;
    if (IsContainer(value))
        for (std::uint32_t child = value.first; child < value.first + value.Count(); ++child)
            if (Value& inner = document_.Mutable(child); IsContainer(inner)) inner.second = index;
    return index;
}

bool DocumentBuilder::parse_error(std::size_t position, const std::string& token,
                                  const nlohmann::json::exception& error) {
    std::string reason = error.what();
    if (dynamic_cast<const nlohmann::json::parse_error*>(&error)) {
        if (const auto at = reason.find("syntax error"); at != std::string::npos) reason = reason.substr(at);
        throw SimFileError(LineAndColumn(text_, position), reason);
    }
    // A number too large for any JSON number type ("1e400"): `position`
    // follows the last character read, the place is where the token starts.
    if (const auto at = reason.find("] "); at != std::string::npos) reason = reason.substr(at + 2);
    const std::size_t start = position >= token.size() ? position - token.size() + 1 : position;
    throw SimFileError(LineAndColumn(text_, start), reason);
}

MachineDocument ParseMachineText(std::string text) {
    MachineDocument document;
    document.text_ = std::move(text);
    if (document.text_.size() >= MachineDocument::kNone)
        throw SimFileError("/", "a machine file holds at most 4 GiB");
    DocumentBuilder builder(document);
    const std::string& bytes = document.text_;
    nlohmann::json::sax_parse(bytes.data(), bytes.data() + bytes.size(), &builder);
    builder.Finish();
    return document;
}

}  // namespace platform::sim
