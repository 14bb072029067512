// The display sources: the monitor's EDID block (on the bytes of real
// monitors and damaged copies of them), DRM mode records, the recorded RandR
// screen, and the cards of the DRM class.
#include <gtest/gtest.h>

#include <vector>

#include "platform/linux/areas/drm_cards.h"
#include "platform/linux/io/drm_modes.h"
#include "platform/linux/parsers/edid.h"
#include "platform/linux/io/randr_screen.h"
#include "platform/linux/io/replies.h"
#include "support.h"

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

namespace {

// One drm_mode_modeinfo record: clock in kHz, the horizontal and vertical
// totals, the flags; the sync positions do not matter here.
Bytes ModeRecord(std::uint32_t clockKhz, std::uint16_t width, std::uint16_t htotal, std::uint16_t height,
                 std::uint16_t vtotal, std::uint32_t flags, std::uint16_t vscan = 0, std::uint32_t vrefresh = 0) {
    Bytes r;
    AppendLe32(r, clockKhz);
    for (const std::uint16_t v : {width, width, width, htotal, std::uint16_t(0), height, height, height, vtotal, vscan})
        AppendLe16(r, v);
    AppendLe32(r, vrefresh);
    AppendLe32(r, flags);
    AppendLe32(r, 0);
    r.resize(DrmModeInfoLayout::kSize, 0);
    return r;
}

}  // namespace

TEST(DisplayDrm, ModeRecordsInterlacedDoubleScannedAndDamaged) {
    Bytes reply = ModeRecord(148500, 1920, 2200, 1080, 1125, 0);
    for (const auto& more : {ModeRecord(74250, 1920, 2200, 1080, 1125, DrmModeInfoLayout::kInterlace),
                             ModeRecord(25175, 320, 800, 240, 525, DrmModeInfoLayout::kDoubleScan),
                             ModeRecord(25175, 320, 800, 240, 525, 0, 2), ModeRecord(0, 640, 0, 480, 0, 0, 0, 75),
                             ModeRecord(4294967, 65535, 1, 65535, 1, 0)})
        reply.insert(reply.end(), more.begin(), more.end());
    const auto modes = DecodeDrmModes(reply);
    ASSERT_TRUE(modes);
    const std::vector<ScreenMode> expected = {{1920, 1080, 60, false}, {1920, 1080, 60, false}, {320, 240, 30, false},
                                              {320, 240, 30, false},   {640, 480, 75, false},   {65535, 65535, 4294967000u, false}};
    EXPECT_EQ(*modes, expected) << "interlaced: a field each refresh; double scan and vscan: each line more than once; "
                                   "no totals: the kernel's own rate";
    reply.pop_back();
    EXPECT_FALSE(DecodeDrmModes(reply)) << "a cut record";
    EXPECT_EQ(DecodeDrmModes({}), std::vector<ScreenMode>{}) << "a connector without modes";

    Bytes crtc(DrmCrtcLayout::kSize, 0);
    const Bytes mode = ModeRecord(148500, 1920, 2200, 1080, 1125, 0);
    std::copy(mode.begin(), mode.end(), crtc.begin() + DrmCrtcLayout::kMode);
    EXPECT_FALSE(DecodeDrmCrtc(crtc)) << "a pipe with no valid mode shows nothing";
    crtc[DrmCrtcLayout::kModeValid] = 1;
    EXPECT_EQ(DecodeDrmCrtc(crtc), (ScreenMode{1920, 1080, 60, true}));
    crtc.push_back(0);
    EXPECT_FALSE(DecodeDrmCrtc(crtc));
}

TEST(DisplayRandr, RecordedScreenRoundTripAndMalformedReplies) {
    const RandrScreen screen{32, {{1024, 768, 60, true}, {800, 600, 75, false}, {65535, 1, 0, false}}};
    const Bytes encoded = EncodeRandrScreen(screen);
    EXPECT_EQ(encoded.size(), 1u + 3 * randr::kModeSize);
    const auto decoded = DecodeRandrScreen(encoded);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->bitsPerPixel, 32);
    EXPECT_EQ(decoded->modes, screen.modes);
    EXPECT_FALSE(DecodeRandrScreen({})) << "not even the depth";
    EXPECT_EQ(DecodeRandrScreen({24})->modes.size(), 0u) << "a screen without modes";
    Bytes cut = encoded;
    cut.pop_back();
    EXPECT_FALSE(DecodeRandrScreen(cut));
    Bytes flag = encoded;
    flag[9] = 2;
    EXPECT_FALSE(DecodeRandrScreen(flag)) << "the current flag is 0 or 1";
}

TEST(DisplayModes, RepeatsAreDroppedAndKeepTheCurrentMark) {
    const std::vector<ScreenMode> modes = {{1920, 1080, 60, false}, {1280, 720, 60, false}, {1920, 1080, 60, true},
                                           {1920, 1080, 50, false}};
    const std::vector<ScreenMode> kept = {{1920, 1080, 60, true}, {1280, 720, 60, false}, {1920, 1080, 50, false}};
    EXPECT_EQ(WithoutRepeats(modes), kept);
    EXPECT_EQ(RefreshOf(148500000, 2200, 1125), 60u);
    EXPECT_EQ(RefreshOf(148352000, 2200, 1125), 60u) << "59.94 rounds up";
    EXPECT_EQ(RefreshOf(25175000, 800, 525), 60u) << "59.94";
    EXPECT_EQ(RefreshOf(1, 0, 1), 0u) << "an empty frame";
}

TEST(DisplayDrmCards, CardsConnectorsAndTheBootCard) {
    linux_tests::TempDir tree;
    tree.Write("sys/class/drm/card10/device/boot_vga", "0\n");
    tree.Write("sys/class/drm/card2/device/boot_vga", "0\n");
    tree.Write("sys/class/drm/card2-DP-1/status", "disconnected\n");
    tree.Write("sys/class/drm/card2-HDMI-A-1/status", "connected\n");
    tree.Write("sys/class/drm/renderD128/dev", "226:128\n");
    tree.Write("sys/class/drm/version", "drm 1.1.0 20060810\n");
    const RootFs fs(tree.Path());
    auto cards = ListDrmCards(fs);
    ASSERT_EQ(cards.size(), 2u);
    EXPECT_EQ(cards[0].name, "card2") << "card order by number, not by name";
    EXPECT_EQ(cards[1].name, "card10");
    ASSERT_EQ(cards[0].connectors.size(), 2u);
    EXPECT_FALSE(cards[0].connectors[0].connected);
    EXPECT_TRUE(cards[0].connectors[1].connected);
    EXPECT_TRUE(cards[1].connectors.empty()) << "card10's connectors would start with card10-";
    EXPECT_EQ(PrimaryCard(cards), 0u) << "no boot card: the first";
    cards[1].bootVga = true;
    EXPECT_EQ(PrimaryCard(cards), 1u);
    EXPECT_FALSE(PrimaryCard({}));
    for (const char* name : {"card", "card0-DP-1", "cardX", "renderD128", "card00000"})
        EXPECT_FALSE(DrmCardNumber(name)) << name;
}
