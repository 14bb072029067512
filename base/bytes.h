#pragma once
// Bytes as they travel between the program and a device or a record: the
// owned buffer type, and the one set of bounded readers and writers of
// little- and big-endian integers that every layout in the program uses.
// A read past the end gives no value; a write past the end writes nothing
// and says so.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

namespace base {

using Bytes = std::vector<std::uint8_t>;

// The bytes of a text as a file gives it (sysfs attributes, VPD pages).
inline std::span<const std::uint8_t> BytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The unsigned integer of sizeof(T) bytes at offset, least significant byte
// first; nothing when the bytes do not reach that far.
template <typename T>
    requires std::is_unsigned_v<T>
std::optional<T> ReadLe(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return std::nullopt;
    T value = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) value = static_cast<T>((value << 8) | bytes[offset + i]);
    return value;
}

// The same, most significant byte first (SCSI and ATA command blocks, EDID's
// manufacturer code).
template <typename T>
    requires std::is_unsigned_v<T>
std::optional<T> ReadBe(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return std::nullopt;
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) value = static_cast<T>((value << 8) | bytes[offset + i]);
    return value;
}

// Writes value at offset, least significant byte first; false (and nothing
// written) when the record is too short.
template <typename T>
    requires std::is_unsigned_v<T>
bool WriteLe(std::span<std::uint8_t> bytes, std::size_t offset, T value) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return false;
    for (std::size_t i = 0; i < sizeof(T); ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return true;
}

// The same, most significant byte first.
template <typename T>
    requires std::is_unsigned_v<T>
bool WriteBe(std::span<std::uint8_t> bytes, std::size_t offset, T value) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return false;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * (sizeof(T) - 1 - i)));
    return true;
}

// Appends value to a growing buffer, least significant byte first.
template <typename T>
    requires std::is_unsigned_v<T>
void AppendLe(Bytes& out, T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline std::optional<std::uint16_t> ReadLe16(std::span<const std::uint8_t> b, std::size_t at) {
    return ReadLe<std::uint16_t>(b, at);
}
inline std::optional<std::uint32_t> ReadLe32(std::span<const std::uint8_t> b, std::size_t at) {
    return ReadLe<std::uint32_t>(b, at);
}
inline std::optional<std::uint64_t> ReadLe64(std::span<const std::uint8_t> b, std::size_t at) {
    return ReadLe<std::uint64_t>(b, at);
}
inline std::optional<std::uint16_t> ReadBe16(std::span<const std::uint8_t> b, std::size_t at) {
    return ReadBe<std::uint16_t>(b, at);
}
inline std::optional<std::uint32_t> ReadBe32(std::span<const std::uint8_t> b, std::size_t at) {
    return ReadBe<std::uint32_t>(b, at);
}
inline bool WriteLe16(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v) { return WriteLe(b, at, v); }
inline bool WriteLe32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v) { return WriteLe(b, at, v); }
inline bool WriteBe16(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v) { return WriteBe(b, at, v); }
inline bool WriteBe32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v) { return WriteBe(b, at, v); }
inline void AppendLe16(Bytes& out, std::uint16_t v) { AppendLe(out, v); }
inline void AppendLe32(Bytes& out, std::uint32_t v) { AppendLe(out, v); }
inline void AppendLe64(Bytes& out, std::uint64_t v) { AppendLe(out, v); }

}  // namespace base
