#include <gtest/gtest.h>

#include "format/FormatEx.h"
#include "format/TimeEx.h"

using format::FormatEx;
using format::TimeEx;

TEST(FormatHex, PadsNeverCutsAndPlacesTheDelimiter) {
    EXPECT_EQ(FormatEx::FormatHex(255, 4, L"h"), L"00FFh");
    EXPECT_EQ(FormatEx::FormatHex(255, 4, L"H"), L"00FFH");
    EXPECT_EQ(FormatEx::FormatHex(255, 4, L"0x"), L"0x00FF");
    EXPECT_EQ(FormatEx::FormatHex(255, 4, L"0X"), L"0X00FF");
    EXPECT_EQ(FormatEx::FormatHex(255, 4, L"X"), L"00FF");
    EXPECT_EQ(FormatEx::FormatHex(255, 4, L""), L"00FF");
    EXPECT_EQ(FormatEx::FormatHex(74565, 4, L""), L"12345");
    EXPECT_EQ(FormatEx::FormatHex(-1, 4, L"h"), L"FFFFFFFFh");
    EXPECT_EQ(FormatEx::FormatHex(0, 0, L""), L"0");
    EXPECT_EQ(FormatEx::FormatHex(0, 2, L""), L"00");
    EXPECT_EQ(FormatEx::FormatHex(0xAB, -3, L""), L"AB");
}

TEST(FormatAddresses, ShortBuffersGiveNothingLongOnesAreCut) {
    const std::uint8_t mac[] = {0x00, 0x0C, 0x29, 0x3A, 0x5B, 0x7F, 0x11, 0x22};
    EXPECT_EQ(FormatEx::FormatMAC(std::span(mac, 5)), L"");
    EXPECT_EQ(FormatEx::FormatMAC(mac), L"00-0C-29-3A-5B-7F");
    const std::uint8_t ip[] = {192, 168, 0, 1, 99};
    EXPECT_EQ(FormatEx::FormatIP4(ip), L"192.168.0.1");
    EXPECT_EQ(FormatEx::FormatIP4(std::span(ip, 3)), L"");
    const std::int16_t words[] = {-1, 0, 0x20, 0x0DB8, 1, 2, 3};
    EXPECT_EQ(FormatEx::FormatIP6(words), L"FFFF:0:20:DB8:1:2");
    EXPECT_EQ(FormatEx::FormatIP6(std::span(words, 5)), L"");
}

TEST(FormatSerialNumber, SplitsTheEightDigits) {
    EXPECT_EQ(FormatEx::FormatSerialNumber(0), L"0000-0000");
    EXPECT_EQ(FormatEx::FormatSerialNumber(-1), L"FFFF-FFFF");
    EXPECT_EQ(FormatEx::FormatSerialNumber(0x1C2D9E0F), L"1C2D-9E0F");
}

TEST(FormatMemory, RoundsHalvesUpAndGroupsWithTheRegionalSeparator) {
    const FormatEx english;
    EXPECT_EQ(english.FormatMemory(0, 1), L"0 KB");
    EXPECT_EQ(english.FormatMemory(511, 1), L"0 KB");
    EXPECT_EQ(english.FormatMemory(1536, 1), L"2 KB");
    EXPECT_EQ(english.FormatMemory(1024, 0), L"1,024 bytes");
    EXPECT_EQ(english.FormatMemory(1, 0), L"1 bytes");
    EXPECT_EQ(english.FormatMemory(1099511627776LL, 4), L"1 TB");
    EXPECT_EQ(english.FormatMemory(1234567, 7), L"1,234,567 bytes");
    EXPECT_EQ(english.FormatMemory(40020664320LL, 0), L"40,020,664,320 bytes");
    // Above 2^31 and above 2^53: nothing overflows, no digit is lost.
    EXPECT_EQ(english.FormatMemory(34359738368LL, 1), L"33,554,432 KB");
    EXPECT_EQ(english.FormatMemory(9007199254740993LL, 0), L"9,007,199,254,740,993 bytes");

    platform::RegionalSettings dutch;
    dutch.thousandsSeparator = L".";
    dutch.decimalSeparator = L",";
    const FormatEx nl(dutch);
    EXPECT_EQ(nl.FormatMemory(536313856, 1), L"523.744 KB");
    EXPECT_EQ(nl.FormatGeneralNumber(2399.75), L"2399,75");
    EXPECT_EQ(english.FormatGeneralNumber(2399.75), L"2399.75");
    EXPECT_EQ(english.FormatGeneralNumber(6000), L"6000");
}

TEST(TimeEx, DropsWholeDaysAndFollowsThePattern) {
    EXPECT_EQ(TimeEx::Convert(0), (format::TimeOfDay{0, 0, 0}));
    EXPECT_EQ(TimeEx::Convert(86399), (format::TimeOfDay{23, 59, 59}));
    EXPECT_EQ(TimeEx::Convert(86400), (format::TimeOfDay{0, 0, 0}));
    EXPECT_EQ(TimeEx::Convert(90061), (format::TimeOfDay{1, 1, 1}));
    EXPECT_EQ(TimeEx::Convert(5025), (format::TimeOfDay{1, 23, 45}));

    const format::TimeOfDay t{13, 5, 9};
    EXPECT_EQ(TimeEx::Text(t, L"%H:%M:%S"), L"13:05:09");
    EXPECT_EQ(TimeEx::Text(t, L"%l:%M:%S %p"), L" 1:05:09 PM");
    EXPECT_EQ(TimeEx::Text(t, L"%T"), L"13:05:09");
    EXPECT_EQ(TimeEx::Text(t, L"%Hh%%%q"), L"13h%%q");
}
