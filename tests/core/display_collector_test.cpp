// The display collector on simulated machines: the primary adapter and its
// monitor, the modes in platform order, fields that do not fit, and the modes
// marked as the current one.
#include <gtest/gtest.h>

#include "collectors/Display.h"
#include "sim_fixture.h"

using collectors::Display;
using testing_support::SimFrom;

namespace {

std::string Mode(std::uint64_t w, std::uint64_t h, std::uint64_t bits, std::uint64_t hz) {
    return R"({"width": )" + std::to_string(w) + R"(, "height": )" + std::to_string(h) + R"(, "bits": )" +
           std::to_string(bits) + R"(, "refresh": )" + std::to_string(hz) + "}";
}

std::string Current(int w, int h, int bits, int hz, int planes = 1) {
    return R"("current": {"width": )" + std::to_string(w) + R"(, "height": )" + std::to_string(h) + R"(, "bits": )" +
           std::to_string(bits) + R"(, "refresh": )" + std::to_string(hz) + R"(, "planes": )" + std::to_string(planes) +
           "}";
}

}  // namespace

TEST(Display, SecondAdapterIsThePrimaryOneWithItsMonitor) {
    auto machine = SimFrom(R"({"display": {"adapters": [
        {"description": "Mirror driver", "monitors": ["Not this one"]},
        {"description": "NVIDIA Corporation GP107 [GeForce GTX 1050 Ti]", "primary": true, "monitors": ["DELL U2412M", "Second"]}]}})");
    const Display display(*machine);
    EXPECT_EQ(display.Name(), L"NVIDIA Corporation GP107 [GeForce GTX 1050 Ti]");
    EXPECT_EQ(display.Monitor(), L"DELL U2412M") << "the first monitor of the primary adapter";
    EXPECT_EQ(display.Count(), 0);

    auto noPrimary = SimFrom(R"({"display": {"adapters": [{"description": "A", "monitors": ["M"]}],
                                 "modes": [)" + Mode(640, 480, 8, 60) + "]}}");
    const Display without(*noPrimary);
    EXPECT_EQ(without.Name(), L"");
    EXPECT_EQ(without.Monitor(), L"");
    EXPECT_EQ(without.Count(), 1) << "the modes are listed all the same";

    auto noMonitor = SimFrom(R"({"display": {"adapters": [{"description": "A", "primary": true}]}})");
    EXPECT_EQ(Display(*noMonitor).Monitor(), L"");
}

TEST(Display, ModesMatchingTheCurrentSettingsAreSelected) {
    auto machine = SimFrom(R"({"display": {"modes": [)" + Mode(1024, 768, 32, 60) + "," + Mode(1024, 768, 32, 75) + "," +
                           Mode(800, 600, 32, 60) + "," + Mode(1024, 768, 16, 60) + "," + Mode(1024, 768, 32, 60) +
                           "], " + Current(1024, 768, 32, 60) + "}}");
    const Display display(*machine);
    ASSERT_EQ(display.Count(), 5);
    std::vector<bool> selected;
    for (std::int16_t i = 0; i < display.Count(); ++i) selected.push_back(display.Item(i)->Selected());
    EXPECT_EQ(selected, (std::vector<bool>{true, false, false, false, true})) << "a mode listed twice is marked twice";
    EXPECT_EQ(display.SelectedIndex(), 0);
    EXPECT_EQ(display.Item(1)->RefreshFrequency(), 75);

    // Colour depth is planes times bits per pixel.
    auto planes = SimFrom(R"({"display": {"modes": [)" + Mode(640, 480, 8, 60) + "], " + Current(640, 480, 4, 60, 2) + "}}");
    EXPECT_TRUE(Display(*planes).Item(0)->Selected());

    // Rates 0 and 1 both mean the display's default: modes without timings
    // (0) against a device context that says 1, and the other way round.
    for (const auto& [modeHz, currentHz] : std::vector<std::pair<int, int>>{{0, 1}, {1, 0}, {0, 0}}) {
        auto byDefault = SimFrom(R"({"display": {"modes": [)" + Mode(1280, 1024, 32, modeHz) + "," +
                                 Mode(1280, 1024, 32, 60) + "], " + Current(1280, 1024, 32, currentHz) + "}}");
        const Display d(*byDefault);
        EXPECT_TRUE(d.Item(0)->Selected()) << modeHz << " against " << currentHz;
        EXPECT_FALSE(d.Item(1)->Selected()) << "60 Hz is no default rate";
    }
}

TEST(Display, ValuesThatDoNotFitTheirFieldsStayZero) {
    auto machine = SimFrom(R"({"display": {"modes": [)" + Mode(32767, 32767, 255, 255) + "," +
                           Mode(32768, 40000, 256, 300) + "," + Mode(1, 1, 1, 1) + "," + Mode(0, 0, 0, 0) + "], " +
                           Current(1, 1, 1, 1) + "}}");
    const Display display(*machine);
    ASSERT_EQ(display.Count(), 4);
    const auto* top = display.Item(0);
    EXPECT_EQ(top->ScreenWidth(), 32767);
    EXPECT_EQ(top->ScreenHeight(), 32767);
    EXPECT_EQ(top->ColorBits(), 255);
    EXPECT_EQ(top->RefreshFrequency(), 255);
    const auto* over = display.Item(1);
    EXPECT_EQ(over->ScreenWidth(), 0);
    EXPECT_EQ(over->ScreenHeight(), 0);
    EXPECT_EQ(over->ColorBits(), 0);
    EXPECT_EQ(over->RefreshFrequency(), 0) << "300 Hz does not fit a byte";
    EXPECT_FALSE(over->Selected());
    EXPECT_TRUE(display.Item(2)->Selected()) << "1 Hz is marked when the screen reports 1";
    EXPECT_EQ(display.SelectedIndex(), 2);
    EXPECT_FALSE(display.Item(3)->Selected());

    auto zeroCurrent = SimFrom(R"({"display": {"modes": [)" + Mode(32768, 40000, 256, 300) + "]}}");
    EXPECT_TRUE(Display(*zeroCurrent).Item(0)->Selected()) << "all fields 0 equal a screen that reports 0";
}

TEST(Display, NoModesAndNoDisplayAtAll) {
    const Display nothing(*SimFrom("{}"));
    EXPECT_EQ(nothing.Count(), 0);
    EXPECT_EQ(nothing.Item(0), nullptr);
    EXPECT_EQ(nothing.Name(), L"");
    EXPECT_EQ(nothing.SelectedIndex(), -1);
}
