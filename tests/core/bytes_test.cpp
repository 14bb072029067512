// The bounded byte readers and writers every record layout goes through.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "base/bytes.h"

namespace {

constexpr std::size_t kHuge = std::numeric_limits<std::size_t>::max();

// Writes `value` at `at` in both byte orders and reads it back, and checks
// that no byte outside the field changed.
template <typename T>
void RoundTrip(T value, std::size_t at) {
    SCOPED_TRACE(sizeof(T));
    base::Bytes le(at + sizeof(T) + 1, 0xAA);
    base::Bytes be = le;
    ASSERT_TRUE(base::WriteLe<T>(le, at, value));
    ASSERT_TRUE(base::WriteBe<T>(be, at, value));
    EXPECT_EQ(base::ReadLe<T>(le, at), value);
    EXPECT_EQ(base::ReadBe<T>(be, at), value);
    for (std::size_t i = 0; i < sizeof(T); ++i) EXPECT_EQ(le[at + i], be[at + sizeof(T) - 1 - i]) << "mirrored";
    for (const auto& bytes : {le, be}) {
        for (std::size_t i = 0; i < at; ++i) EXPECT_EQ(bytes[i], 0xAA);
        EXPECT_EQ(bytes.back(), 0xAA);
    }
}

// Reads and writes of T end exactly at the buffer's end, and refuse one byte
// further, from an offset at the end and from offsets whose sum with the
// width would overflow; a refused write leaves every byte as it was.
template <typename T>
void Edges() {
    SCOPED_TRACE(sizeof(T));
    const base::Bytes original = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    base::Bytes bytes = original;
    const std::size_t last = bytes.size() - sizeof(T);
    EXPECT_TRUE(base::ReadLe<T>(bytes, last));
    EXPECT_TRUE(base::ReadBe<T>(bytes, last));
    for (const std::size_t at : {last + 1, bytes.size(), bytes.size() + 1, kHuge - sizeof(T) + 1, kHuge}) {
        EXPECT_FALSE(base::ReadLe<T>(bytes, at)) << at;
        EXPECT_FALSE(base::ReadBe<T>(bytes, at)) << at;
        EXPECT_FALSE(base::WriteLe<T>(bytes, at, T(~T{0}))) << at;
        EXPECT_FALSE(base::WriteBe<T>(bytes, at, T(~T{0}))) << at;
    }
    EXPECT_EQ(bytes, original);
    EXPECT_FALSE(base::ReadLe<T>(std::span<const std::uint8_t>(), 0)) << "an empty buffer";
}

}  // namespace

TEST(Bytes, EveryWidthKeepsItsByteOrder) {
    const base::Bytes bytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
    EXPECT_EQ(base::ReadLe16(bytes, 0), 0x0201);
    EXPECT_EQ(base::ReadBe16(bytes, 0), 0x0102);
    EXPECT_EQ(base::ReadLe32(bytes, 4), 0x08070605u);
    EXPECT_EQ(base::ReadBe32(bytes, 4), 0x05060708u);
    EXPECT_EQ(base::ReadLe64(bytes, 0), 0x0807060504030201u);
    EXPECT_EQ(base::ReadBe<std::uint64_t>(bytes, 0), 0x0102030405060708u);

    RoundTrip<std::uint8_t>(0xFE, 1);
    RoundTrip<std::uint16_t>(0xFEDC, 1);
    RoundTrip<std::uint32_t>(0xFEDCBA98u, 3);
    RoundTrip<std::uint64_t>(0xFEDCBA9876543210u, 2);
    RoundTrip<std::uint32_t>(0, 0);

    base::Bytes out;
    base::AppendLe16(out, 0x0201);
    base::AppendLe32(out, 0x06050403u);
    base::AppendLe64(out, 0x0E0D0C0B0A090807u);
    EXPECT_EQ(out, (base::Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
}

TEST(Bytes, NothingIsReadOrWrittenPastTheEnd) {
    Edges<std::uint8_t>();
    Edges<std::uint16_t>();
    Edges<std::uint32_t>();
    Edges<std::uint64_t>();
}
