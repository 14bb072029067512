#pragma once
// A machine file read once into a compact tree over its own text. Each value
// is one record of twelve bytes: strings point into the text (or, where the
// file spelt them with escapes, into a pool of their decoded bytes), numbers
// hold their value, arrays and objects the place of their children, which lie
// side by side. An object's members are kept sorted by name, as a key then its
// value, so that a name is found by halving and members are listed in the
// same order whatever order the file wrote them in.
//
// Reading costs a fixed amount per byte and per value: a file of ten times
// the size takes ten times as long and about ten times the memory, and the
// tree takes about as much memory as the text it describes.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::sim {

enum class ValueKind : std::uint8_t {
    kNull,
    kBoolean,
    kUnsigned,  // a whole number without a sign
    kInteger,   // a whole number with a minus sign
    kFloat,
    kString,
    kKey,  // an object member's name, stored just before its value
    kArray,
    kObject,
};

class MachineDocument {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    struct Value {
        // Strings and keys: where the bytes start; arrays and objects: their
        // first child; numbers: the low half of the value; booleans: 0 or 1.
        std::uint32_t first = 0;
        // Strings and keys: their length; arrays and objects: the record of
        // the array or object they are in; numbers: the high half.
        std::uint32_t second = 0;
        // The kind in the low four bits, a flag for strings kept in the pool,
        // and above them the number of children (members count twice: name
        // and value).
        std::uint32_t kindAndCount = 0;

        ValueKind Kind() const { return static_cast<ValueKind>(kindAndCount & kKindMask); }
        bool Pooled() const { return (kindAndCount & kPooledFlag) != 0; }
        std::uint32_t Count() const { return kindAndCount >> kCountShift; }
        std::uint64_t Number() const { return (std::uint64_t{second} << 32) | first; }
    };
    static constexpr std::uint32_t kKindMask = 0x0F;
    static constexpr std::uint32_t kPooledFlag = 0x10;
    static constexpr int kCountShift = 5;

    MachineDocument() = default;
    MachineDocument(MachineDocument&&) noexcept = default;
    MachineDocument& operator=(MachineDocument&&) noexcept = default;

    std::uint32_t Root() const { return root_; }
    const Value& At(std::uint32_t index) const { return chunks_[index / kChunk][index % kChunk]; }
    std::size_t Size() const { return size_; }
    // The decoded bytes of a string or key.
    std::string_view StringAt(std::uint32_t index) const;
    // The value of member `name` of the object at `index`, or kNone.
    std::uint32_t FindMember(std::uint32_t index, std::string_view name) const;

    // What reading did, for the tests that hold it linear: records written
    // (each value once, and once more when its array or object is closed),
    // names compared while looking for a name given twice, and names
    // compared while sorting an object's members.
    struct Work {
        std::size_t recordsWritten = 0;
        std::size_t namesCompared = 0;
        std::size_t namesSorted = 0;
    };
    const Work& ReadingWork() const { return work_; }

private:
    friend class DocumentBuilder;
    friend MachineDocument ParseMachineText(std::string text);
    static constexpr std::uint32_t kChunk = 4096;  // records (48 KiB): growth never copies the tree

    std::uint32_t Append(const Value& value);
    Value& Mutable(std::uint32_t index) { return chunks_[index / kChunk][index % kChunk]; }

    std::string text_;
    std::string pool_;  // strings and keys the file spelt with escapes, decoded
    std::vector<std::unique_ptr<Value[]>> chunks_;
    std::size_t size_ = 0;
    std::uint32_t root_ = kNone;
    Work work_;
};

}  // namespace platform::sim
