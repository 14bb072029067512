// The monitor's EDID block: names, manufacturer codes and timings, on the
// bytes of real monitors and on damaged copies of them.
#include <gtest/gtest.h>

#include <vector>

#include "platform/linux/edid.h"

using namespace platform::linux_backend;

namespace {

// An analog 17-inch monitor with a name descriptor ("712Sa").
const std::vector<std::uint8_t> kAoc712Sa = {
    0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00, 0x05, 0xe3, 0x12, 0x17, 0x67, 0x02, 0x01, 0x00,
    0x11, 0x12, 0x01, 0x03, 0x68, 0x22, 0x1b, 0x78, 0x2a, 0xc0, 0xf5, 0xa3, 0x57, 0x4a, 0x9c, 0x23,
    0x11, 0x4f, 0x54, 0xbf, 0xef, 0x00, 0x81, 0x80, 0x31, 0x0a, 0x61, 0x4c, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0xbc, 0x34, 0x00, 0x98, 0x51, 0x00, 0x2a, 0x40, 0x10, 0x90,
    0x13, 0x00, 0x54, 0x0e, 0x11, 0x00, 0x00, 0x1e, 0x00, 0x00, 0x00, 0xff, 0x00, 0x33, 0x33, 0x39,
    0x38, 0x34, 0x49, 0x41, 0x30, 0x36, 0x36, 0x31, 0x35, 0x31, 0x00, 0x00, 0x00, 0xfd, 0x00, 0x37,
    0x4b, 0x1e, 0x53, 0x0e, 0x00, 0x0a, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x00, 0x00, 0x00, 0xfc,
    0x00, 0x37, 0x31, 0x32, 0x53, 0x61, 0x0a, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x00, 0xc6};

// A laptop panel without a name descriptor: two unspecified-text descriptors instead.
const std::vector<std::uint8_t> kBoePanel = {
    0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00, 0x09, 0xe5, 0xdf, 0x05, 0x00, 0x00, 0x00, 0x00,
    0x01, 0x16, 0x01, 0x04, 0x95, 0x1d, 0x10, 0x78, 0x0a, 0xf8, 0x90, 0x9e, 0x59, 0x55, 0x9c, 0x26,
    0x1a, 0x50, 0x54, 0x00, 0x00, 0x00, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x3e, 0x1c, 0x56, 0xa0, 0x50, 0x00, 0x16, 0x30, 0x30, 0x20,
    0x36, 0x00, 0x25, 0xa5, 0x10, 0x00, 0x00, 0x1a, 0xd4, 0x12, 0x56, 0xa0, 0x50, 0x00, 0x16, 0x30,
    0x30, 0x20, 0x36, 0x00, 0x25, 0xa5, 0x10, 0x00, 0x00, 0x1a, 0x00, 0x00, 0x00, 0xfe, 0x00, 0x42,
    0x4f, 0x45, 0x20, 0x48, 0x46, 0x0a, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x00, 0x00, 0x00, 0xfe,
    0x00, 0x48, 0x42, 0x31, 0x33, 0x33, 0x57, 0x58, 0x31, 0x2d, 0x34, 0x30, 0x32, 0x0a, 0x00, 0x0c};

}  // namespace

TEST(DisplayEdid, NamedMonitorWithItsPreferredStandardAndEstablishedTimings) {
    const auto edid = ParseEdid(kAoc712Sa);
    EXPECT_TRUE(edid.headerValid);
    EXPECT_TRUE(edid.checksumValid);
    EXPECT_EQ(edid.manufacturer, "AOC");
    EXPECT_EQ(edid.productCode, 0x1712);
    EXPECT_EQ(edid.productName, "712Sa") << "text ends at 0x0A, the blanks after it are padding";
    EXPECT_EQ(edid.DisplayName(), "712Sa");
    ASSERT_FALSE(edid.timings.empty());
    EXPECT_EQ(edid.timings[0].width, 1280u);
    EXPECT_EQ(edid.timings[0].height, 1024u);
    EXPECT_NEAR(edid.timings[0].refresh, 75.025, 0.001) << "135 MHz over 1688 x 1066";
    EXPECT_TRUE(edid.timings[0].preferred);
    // Then the standard timings 81 80, 31 0a, 61 4c and the established flags bf ef 00.
    const std::vector<EdidTiming> next(edid.timings.begin() + 1, edid.timings.begin() + 4);
    const std::vector<EdidTiming> standard = {
        {1280, 1024, 60, false}, {640, 400, 70, false}, {1024, 768, 72, false}};
    EXPECT_EQ(next, standard) << "5:4, 16:10 (version 1.3), 4:3";
    EXPECT_EQ(edid.timings.size(), 4u + 13u) << "fourteen established flags; 1280x1024 at 75 Hz is already there";
    EXPECT_EQ(edid.timings[4], (EdidTiming{720, 400, 70, false}));
    EXPECT_EQ(edid.timings.back(), (EdidTiming{1024, 768, 75, false}));
}

TEST(DisplayEdid, PanelWithoutANameIsKnownByManufacturerAndProductCode) {
    const auto edid = ParseEdid(kBoePanel);
    EXPECT_TRUE(edid.checksumValid);
    EXPECT_EQ(edid.productName, "") << "0xFE text is not the product name";
    EXPECT_EQ(edid.DisplayName(), "BOE05DF") << "four upper-case hex digits";
    ASSERT_EQ(edid.timings.size(), 2u) << "two detailed timings, no standard or established ones";
    EXPECT_NEAR(edid.timings[0].refresh, 59.973, 0.001);
    EXPECT_NEAR(edid.timings[1].refresh, 39.982, 0.001);
}

TEST(DisplayEdid, DamagedBlocksGiveWhatTheirBytesHold) {
    auto badSum = kAoc712Sa;
    badSum[127] ^= 0xFF;
    const auto summed = ParseEdid(badSum);
    EXPECT_FALSE(summed.checksumValid);
    EXPECT_EQ(summed.DisplayName(), "712Sa");

    auto badHeader = kAoc712Sa;
    badHeader[0] = 0x12;
    const auto headed = ParseEdid(badHeader);
    EXPECT_FALSE(headed.headerValid);
    EXPECT_EQ(headed.manufacturer, "AOC");

    const auto cut = ParseEdid(std::span(kAoc712Sa).first(60));
    EXPECT_EQ(cut.manufacturer, "AOC");
    EXPECT_TRUE(cut.timings.empty() || cut.timings.size() < 20);
    EXPECT_EQ(cut.productName, "");
    EXPECT_EQ(ParseEdid({}).DisplayName(), "") << "no bytes, no name";

    std::vector<std::uint8_t> zeros(128, 0);
    zeros[8] = 0x7F;  // letters 31, 31, 31: outside A-Z
    zeros[9] = 0xFF;
    const auto odd = ParseEdid(zeros);
    EXPECT_EQ(odd.manufacturer, "???");
    EXPECT_TRUE(odd.timings.empty()) << "zero descriptors are empty, not 0x0 modes";

    // A name with bytes that are no text, and one filling all 13 places without an end mark.
    auto named = kAoc712Sa;
    const std::uint8_t text[13] = {'A', 0x01, 'B', 0xE9, 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K'};
    std::copy(std::begin(text), std::end(text), named.begin() + 113);
    EXPECT_EQ(ParseEdid(named).productName, "A?B?CDEFGHIJK");
}

TEST(DisplayEdid, EveryEstablishedTimingBitNamesItsMode) {
    const auto table = EstablishedTimings();
    ASSERT_EQ(table.size(), 17u);
    for (std::size_t bit = 0; bit < table.size(); ++bit) {
        std::vector<std::uint8_t> block(128, 0);
        block[35 + bit / 8] = static_cast<std::uint8_t>(0x80 >> (bit % 8));
        const auto edid = ParseEdid(block);
        ASSERT_EQ(edid.timings.size(), 1u) << "bit " << bit;
        EXPECT_EQ(edid.timings[0].width, table[bit].width) << "bit " << bit;
        EXPECT_EQ(edid.timings[0].height, table[bit].height) << "bit " << bit;
        EXPECT_EQ(edid.timings[0].refresh, table[bit].refresh) << "bit " << bit;
    }
    EXPECT_EQ(table.front().width, 720) << "byte 35 bit 7";
    EXPECT_EQ(table.back().width, 1152) << "byte 37 bit 7";
}

TEST(DisplayEdid, StandardTimingAspectRatiosAndTheUnusedMark) {
    std::vector<std::uint8_t> block(128, 0);
    block[18] = 1;
    block[19] = 4;
    const std::uint8_t entries[16] = {0xD1, 0x00, 0xD1, 0x40, 0xD1, 0x80, 0xD1, 0xC0,
                                      0x01, 0x01, 0xD1, 0xFF, 0x00, 0x00, 0x01, 0x01};
    std::copy(std::begin(entries), std::end(entries), block.begin() + 38);
    const auto edid = ParseEdid(block);
    const std::vector<EdidTiming> expected = {
        {1920, 1200, 60, false}, {1920, 1440, 60, false}, {1920, 1536, 60, false},
        {1920, 1080, 60, false}, {1920, 1080, 123, false}};
    EXPECT_EQ(edid.timings, expected) << "16:10, 4:3, 5:4, 16:9; 01 01 and 00 00 are unused";
    block[19] = 2;  // before version 1.3 the ratio bits 00 mean 1:1
    EXPECT_EQ(ParseEdid(block).timings[0].height, 1920u);
}
