// Sound devices from /proc/asound: the PCM list and the driver version, on
// the lines of real machines.
#include <gtest/gtest.h>

#include "platform/linux/parsers/alsa_pcm.h"

using namespace platform::linux_backend;

namespace {

// A laptop's list as its kernel printed it, in descending device order, with
// a modem device and a capture-only device sharing the analog name.
const char* const kDescendingWithModem =
    "00-06: Si3054 Modem : Si3054 Modem : playback 1 : capture 1\n"
    "00-02: ALC883 Analog : ALC883 Analog : capture 1\n"
    "00-01: ALC883 Digital : ALC883 Digital : playback 1\n"
    "00-00: ALC883 Analog : ALC883 Analog : playback 1 : capture 1\n";

}  // namespace

TEST(AlsaPcm, LinesInAnyOrderComeOutByCardAndDevice) {
    const auto devices = ParseAlsaPcm(kDescendingWithModem);
    ASSERT_EQ(devices.size(), 4u);
    EXPECT_EQ(devices[0].device, 0u);
    EXPECT_EQ(devices[0].name, "ALC883 Analog");
    EXPECT_EQ(devices[0].playback, 1u);
    EXPECT_EQ(devices[0].capture, 1u);
    EXPECT_EQ(devices[1].name, "ALC883 Digital");
    EXPECT_EQ(devices[1].capture, 0u) << "no capture field at all";
    EXPECT_EQ(devices[2].device, 2u);
    EXPECT_EQ(devices[2].playback, 0u);
    EXPECT_EQ(devices[3].device, 6u) << "a gap in device numbers is no end";

    const auto twoCards = ParseAlsaPcm(
        "01-03: HDMI 0 : HDMI 0 : playback 1\n"
        "00-00: ALC892 Analog : ALC892 Analog : playback 1 : capture 1\n"
        "10-00: USB Audio : USB Audio : capture 1\n"
        "01-03: HDMI 0 : a repeated card and device keeps its first line : playback 1\n");
    ASSERT_EQ(twoCards.size(), 3u);
    EXPECT_EQ(twoCards[1].card, 1u);
    EXPECT_EQ(twoCards[1].name, "HDMI 0");
    EXPECT_EQ(twoCards[2].card, 10u) << "numeric order, not text order";
}

TEST(AlsaPcm, NamesHoldingSeparatorsReadWhole) {
    const auto devices = ParseAlsaPcm(
        "00-00: USB Audio : USB Audio - Headset : A : B : capture 2\n"
        "00-01: id:x : name : playback 8 : capture 16\n");
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].id, "USB Audio");
    EXPECT_EQ(devices[0].name, "USB Audio - Headset : A : B") << "the fields are stripped from the end";
    EXPECT_EQ(devices[0].capture, 2u);
    EXPECT_EQ(devices[1].id, "id:x");
    EXPECT_EQ(devices[1].playback, 8u);
    EXPECT_EQ(devices[1].capture, 16u);
}

TEST(AlsaPcm, MalformedLinesAreLeftOut) {
    const auto devices = ParseAlsaPcm(
        "\n"
        "garbage\n"
        "00-00 ALC Analog : ALC Analog : playback 1\n"   // no colon after the address
        "0x-00: A : A : playback 1\n"                    // card not decimal
        "00-01: A : A\n"                                 // no stream field
        "00-02: A : A : playback one\n"                  // count not decimal
        "00-03: only-an-id : playback 1\n"               // no name field
        "00-04: A : A : playback 99999999999999999999\n"  // count too large
        "00-05: Good : Good : capture 1");               // last line without newline
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].device, 5u);
    EXPECT_TRUE(ParseAlsaPcm("").empty());
}

TEST(AlsaPcm, DriverVersion) {
    struct Case {
        const char* text;
        bool present;
        unsigned major, minor;
    };
    const Case cases[] = {
        {"Advanced Linux Sound Architecture Driver Version k6.1.0-18-amd64.\n", true, 6, 1},
        {"Advanced Linux Sound Architecture Driver Version k3.13.0-32-generic.\n", true, 3, 13},
        {"Advanced Linux Sound Architecture Driver Version 1.0.16.\n", true, 1, 0},
        {"Advanced Linux Sound Architecture Driver Version 255.255.\n", true, 255, 255},
        {"Advanced Linux Sound Architecture Driver Version 0.0.\n", true, 0, 0},
        {"Advanced Linux Sound Architecture Driver Version 256.1.\n", false, 0, 0},
        {"Advanced Linux Sound Architecture Driver Version 1.256.\n", false, 0, 0},
        {"Advanced Linux Sound Architecture Driver Version k.\n", false, 0, 0},
        {"Advanced Linux Sound Architecture Driver Version 7\n", false, 0, 0},
        {"Advanced Linux Sound Architecture Driver\n", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const Case& c : cases) {
        const auto version = ParseAlsaVersion(c.text);
        ASSERT_EQ(version.has_value(), c.present) << c.text;
        if (!version) continue;
        EXPECT_EQ(version->major, c.major) << c.text;
        EXPECT_EQ(version->minor, c.minor) << c.text;
    }
}
