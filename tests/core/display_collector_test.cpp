// The display collector on simulated machines: the primary adapter and its
// monitor, the modes in platform order, fields that do not fit, and the modes
// marked as the current one.
#include <gtest/gtest.h>

#include "app/pages/Categories.h"
#include "app/pages/CollectorSet.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
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

// The Display category's report lines, one "\n" after each.
std::wstring ReportOf(platform::Machine& machine) {
    app::CollectorSet collectors(machine);
    const app::TranslatedWindowTexts texts;
    const auto lines = app::ReportWriter(collectors, texts).ComposeLines(app::kDisplay);
    std::wstring report;
    for (const auto& line : lines.value_or(std::vector<std::wstring>{})) report += line + L"\n";
    return report;
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
    auto machine = SimFrom(R"({"display": {"modes": [)" + Mode(32767, 32767, 255, 65535) + "," +
                           Mode(32768, 40000, 256, 65536) + "," + Mode(1, 1, 1, 1) + "," + Mode(0, 0, 0, 0) + "], " +
                           Current(1, 1, 1, 1) + "}}");
    const Display display(*machine);
    ASSERT_EQ(display.Count(), 4);
    const auto* top = display.Item(0);
    EXPECT_EQ(top->ScreenWidth(), 32767);
    EXPECT_EQ(top->ScreenHeight(), 32767);
    EXPECT_EQ(top->ColorBits(), 255);
    EXPECT_EQ(top->RefreshFrequency(), 65535);
    const auto* over = display.Item(1);
    EXPECT_EQ(over->ScreenWidth(), 0);
    EXPECT_EQ(over->ScreenHeight(), 0);
    EXPECT_EQ(over->ColorBits(), 0);
    EXPECT_EQ(over->RefreshFrequency(), 0) << "65536 Hz does not fit 16 bits";
    EXPECT_FALSE(over->Selected());
    EXPECT_TRUE(display.Item(2)->Selected()) << "1 Hz is marked when the screen reports 1";
    EXPECT_EQ(display.SelectedIndex(), 2);
    EXPECT_FALSE(display.Item(3)->Selected());

    auto zeroCurrent = SimFrom(R"({"display": {"modes": [)" + Mode(32768, 40000, 256, 65536) + "]}}");
    EXPECT_TRUE(Display(*zeroCurrent).Item(0)->Selected()) << "all fields 0 equal a screen that reports 0";
}

// Monitors of today run at 144, 240, 360 and 500 Hz: a rate past a byte is
// kept, shown and compared like any other, up to the 16 bits of the field.
TEST(Display, RefreshRatesPastAByteAreKeptShownAndMarked) {
    for (const int hz : {254, 255, 256, 360, 65534, 65535}) {
        auto machine = SimFrom(R"({"display": {"modes": [)" + Mode(2560, 1440, 32, 60) + "," +
                               Mode(2560, 1440, 32, static_cast<std::uint64_t>(hz)) + "], " +
                               Current(2560, 1440, 32, hz) + "}}");
        const Display display(*machine);
        ASSERT_EQ(display.Count(), 2);
        EXPECT_EQ(display.Item(1)->RefreshFrequency(), hz);
        EXPECT_FALSE(display.Item(0)->Selected()) << hz;
        EXPECT_TRUE(display.Item(1)->Selected()) << hz << " Hz is the mode in use";
        EXPECT_EQ(display.SelectedIndex(), 1);

        const auto page = app::CategoryRowOf(app::kDisplay).kind.MakePage(*machine);
        EXPECT_EQ(page->PreferredItem(), 1) << "the page opens at the mode in use";
        EXPECT_NE(ReportOf(*machine).find(L"Vernieuwingsfrequentie: " + std::to_wstring(hz) + L" Hz\n"
                                          L"Geselecteerd: Ja"),
                  std::wstring::npos)
            << hz;
    }
    // Past 16 bits the field stays 0: "Niet ondersteund", and not the mode in use.
    auto beyond = SimFrom(R"({"display": {"modes": [)" + Mode(800, 600, 32, 65536) + "], " +
                          Current(800, 600, 32, 65536) + "}}");
    EXPECT_NE(ReportOf(*beyond).find(L"Vernieuwingsfrequentie: Niet ondersteund\nGeselecteerd: Nee"),
              std::wstring::npos);
}

TEST(Display, NoModesAndNoDisplayAtAll) {
    const Display nothing(*SimFrom("{}"));
    EXPECT_EQ(nothing.Count(), 0);
    EXPECT_EQ(nothing.Item(0), nullptr);
    EXPECT_EQ(nothing.Name(), L"");
    EXPECT_EQ(nothing.SelectedIndex(), -1);
}

// A display scaled to 150 % hands a process that does not declare itself
// aware of the DPI a virtual screen of 1707 x 960 for 2560 x 1440: no mode
// has that size, so none is the one in use. Declared aware, as both programs
// are, the process reads the physical size and the mode in use is marked.
TEST(Display, AProcessUnawareOfTheScaleSeesVirtualisedSizes) {
    const std::string modes = R"("modes": [)" + Mode(1920, 1080, 32, 60) + "," + Mode(2560, 1440, 32, 144) + "], " +
                              Current(2560, 1440, 32, 144);
    auto unaware = SimFrom(R"({"display": {"scale": 150, "dpi_aware": false, )" + modes + "}}");
    const Display scaled(*unaware);
    EXPECT_EQ(scaled.SelectedIndex(), -1);
    EXPECT_EQ(unaware->Display().GetDeviceCaps(unaware->Display().GetDC(), platform::display::kHorzRes), 1707)
        << "rounded as MulDiv rounds";
    EXPECT_EQ(unaware->Display().GetDeviceCaps(unaware->Display().GetDC(), platform::display::kVertRes), 960);

    for (const char* aware : {R"("scale": 150, "dpi_aware": true, )", R"("scale": 150, )",
                              R"("scale": 100, "dpi_aware": false, )", ""}) {
        auto machine = SimFrom(std::string(R"({"display": {)") + aware + modes + "}}");
        EXPECT_EQ(Display(*machine).SelectedIndex(), 1) << aware;
    }
    // 125 %, the other common scale: 2048 x 1152, again no mode of that size.
    auto at125 = SimFrom(R"({"display": {"scale": 125, "dpi_aware": false, )" + modes + "}}");
    EXPECT_EQ(Display(*at125).SelectedIndex(), -1);
    EXPECT_EQ(at125->Display().GetDeviceCaps(at125->Display().GetDC(), platform::display::kHorzRes), 2048);

    EXPECT_THROW(SimFrom(R"({"display": {"scale": 99}})"), platform::sim::SimFileError);
    EXPECT_THROW(SimFrom(R"({"display": {"scale": 501}})"), platform::sim::SimFileError);
    EXPECT_NO_THROW(SimFrom(R"({"display": {"scale": 500}})"));
}
