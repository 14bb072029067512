#include <gtest/gtest.h>

#include "collectors/Battery.h"
#include "collectors/Keyboard.h"
#include "collectors/MemoryUsage.h"
#include "collectors/Mouse.h"
#include "collectors/OperatingSystem.h"
#include "sim_fixture.h"

using namespace collectors;
using testing_support::SimFrom;
using testing_support::SimMachineFile;

TEST(MemoryUsage, HoldsAmountsAboveFourGigabytes) {
    auto machine = SimMachineFile("desktop.json");
    MemoryUsage m(*machine);
    EXPECT_EQ(m.TotalPhysical(), 34359738368LL);
    EXPECT_EQ(m.AvailablePhysical(), 26456883200LL);
    EXPECT_EQ(m.TotalVirtual(), 140737488351232LL);
    EXPECT_EQ(m.TotalPagingFile(), 36507222016LL);
    EXPECT_EQ(m.Load(), 23);
}

TEST(MemoryUsage, RefreshFollowsTheMachineAndAFailureKeepsTheLastFigures) {
    auto machine = SimFrom(R"({"memory": {"load": 57, "total_physical": 100},
        "live": [{"memory": {"load": 61, "total_physical": 100}}, {"memory": null}]})");
    MemoryUsage m(*machine);
    EXPECT_EQ(m.Load(), 57);
    machine->Advance();
    m.Refresh();
    EXPECT_EQ(m.Load(), 61);
    machine->Advance();
    m.Refresh();
    EXPECT_EQ(m.Load(), 61);
}

TEST(Battery, ChargeStatusIsTheRoundedLogarithmOfTheFlag) {
    const std::pair<int, int> cases[] = {{1, 0}, {2, 1}, {4, 2}, {8, 3}, {128, 7}, {0, 255}, {255, 255},
                                         {12, 4}, {9, 3}, {10, 3}, {3, 2}, {6, 3}};
    for (const auto& [flag, status] : cases)
        EXPECT_EQ(Battery::ChargeStatusFromFlag(static_cast<std::uint8_t>(flag)), status) << "flag " << flag;
}

TEST(Battery, ReportsTimesOnlyWhenGivenAndResetsAfterAFailure) {
    auto machine = SimFrom(R"({"power": {"ac_line": 0, "battery_flag": 8, "life_percent": 64, "life_time": 90061},
        "live": [{"power": {"ac_line": 1, "battery_flag": 1, "life_percent": 100, "life_time": null}},
                 {"power": null}]})");
    Battery b(*machine);
    EXPECT_EQ(b.PowerStatus(), 0);
    EXPECT_EQ(b.ChargeStatus(), 3);
    EXPECT_EQ(b.LifePercent(), 64);
    ASSERT_TRUE(b.LifeTime().has_value());
    EXPECT_EQ(*b.LifeTime(), (format::TimeOfDay{1, 1, 1}));
    EXPECT_FALSE(b.FullLifeTime().has_value());

    machine->Advance();
    b.Refresh();
    EXPECT_EQ(b.PowerStatus(), 1);
    EXPECT_EQ(b.LifePercent(), 100);
    EXPECT_FALSE(b.LifeTime().has_value());

    machine->Advance();
    b.Refresh();
    EXPECT_EQ(b.PowerStatus(), 255);
    EXPECT_EQ(b.ChargeStatus(), 255);
    EXPECT_EQ(b.LifePercent(), 255);
    EXPECT_FALSE(b.LifeTime().has_value());
}

TEST(Keyboard, LockStatesFollowTheTwoReadings) {
    // 1: toggled, key up. -127 (FF81h): toggled, key down. -128 (FF80h): down, not toggled.
    auto machine = SimFrom(R"({"keys": {"caps": 1, "num": -127, "scroll": -128, "tab": -128},
        "live": [{"keys": {"caps": 0, "num": 0, "scroll": 1, "tab": -127}}, {"keys": {"tab": 1}}]})");
    Keyboard k(*machine);
    EXPECT_TRUE(k.CapsLockStatus());
    EXPECT_TRUE(k.NumLockStatus());
    EXPECT_FALSE(k.ScrollLockStatus());
    EXPECT_TRUE(k.IsTabKey());
    machine->Advance();
    EXPECT_TRUE(k.CapsLockStatus());  // nothing changes before Refresh
    k.Refresh();
    EXPECT_FALSE(k.CapsLockStatus());
    EXPECT_FALSE(k.NumLockStatus());
    EXPECT_TRUE(k.ScrollLockStatus());
    EXPECT_TRUE(k.IsTabKey());
    machine->Advance();
    EXPECT_FALSE(k.IsTabKey());
}

TEST(Keyboard, ValuesOutOfRangeOrMissingStayEmpty) {
    auto machine = SimFrom(R"({"keyboard": {"type": 9, "function_keys": 256, "layout": null}})");
    const Keyboard k(*machine);
    EXPECT_EQ(k.KeyboardType(), L"");
    EXPECT_EQ(k.FunctionKeys(), 0);
    EXPECT_EQ(k.LayoutID(), L"");
    EXPECT_EQ(k.RepeatDelay(), 0);

    auto full = SimFrom(R"({"keyboard": {"type": 2, "function_keys": 255, "layout": "00000413",
                                         "repeat_delay": "0x102", "repeat_speed": 31}})");
    const Keyboard f(*full);
    EXPECT_EQ(f.KeyboardType(), L"Olivetti \"ICO\" (102 keys)");
    EXPECT_EQ(f.FunctionKeys(), 255);
    EXPECT_EQ(f.LayoutID(), L"00000413");
    EXPECT_EQ(f.RepeatDelay(), 2);  // the low byte of the answer
    EXPECT_EQ(f.RepeatSpeed(), 31);
}

TEST(Keyboard, RepeatSettingsBecomeMilliseconds) {
    EXPECT_EQ(Keyboard::RepeatDelayMilliseconds(0), 250);
    EXPECT_EQ(Keyboard::RepeatDelayMilliseconds(1), 500);
    EXPECT_EQ(Keyboard::RepeatDelayMilliseconds(3), 1000);
    EXPECT_EQ(Keyboard::RepeatIntervalMilliseconds(0), 400);
    EXPECT_EQ(Keyboard::RepeatIntervalMilliseconds(31), 33);
    EXPECT_EQ(Keyboard::RepeatIntervalMilliseconds(20), 49);
}

TEST(Mouse, ConfigurationIsOneOrTwoAndOversizedValuesStayZero) {
    auto absent = SimFrom("{}");
    const Mouse none(*absent);
    EXPECT_EQ(none.ButtonConfiguration(), 1);
    EXPECT_EQ(none.Buttons(), 0);
    EXPECT_FALSE(none.Wheel());

    auto odd = SimFrom(R"({"mouse": {"swap_buttons": true, "buttons": 300, "wheel": true, "double_click_ms": 40000}})");
    const Mouse m(*odd);
    EXPECT_EQ(m.ButtonConfiguration(), 2);
    EXPECT_EQ(m.Buttons(), 0);
    EXPECT_EQ(m.DoubleClickSpeed(), 0);
    EXPECT_TRUE(m.Wheel());
}

TEST(OperatingSystem, NamesKnownVersionsAndKeepsUnknownOnesNameless) {
    auto nt62 = SimFrom(R"({"system": {"version": {"major": 6, "minor": 2, "build": 9200, "platform_id": 2}}})");
    const OperatingSystem a(*nt62);
    EXPECT_EQ(a.Name(), L"");
    EXPECT_EQ(a.Version(), L"6.2");
    EXPECT_TRUE(a.NT());
    EXPECT_EQ(a.BuildNumber(), 9200);

    auto win98 = SimFrom(R"({"system": {"version": {"major": 4, "minor": 10, "build": "0x040A08AE", "platform_id": 1}}})");
    const OperatingSystem b(*win98);
    EXPECT_EQ(b.Name(), L"Windows 98");
    EXPECT_EQ(b.BuildNumber(), 2222);
    EXPECT_FALSE(b.NT());

    auto nt4 = SimFrom(R"({"system": {"version": {"major": 4, "minor": 0, "build": 1381, "platform_id": 2,
                                                  "service_pack": "Service Pack 6"}}})");
    const OperatingSystem c(*nt4);
    EXPECT_EQ(c.Name(), L"Windows NT");
    EXPECT_EQ(c.ServicePack(), L"Service Pack 6");

    auto linuxLike = SimFrom(R"({"system": {"clean_boot": 1, "version": {"major": 6, "minor": 1, "platform_id": 0}}})");
    const OperatingSystem d(*linuxLike);
    EXPECT_EQ(d.Name(), L"");
    EXPECT_EQ(d.BuildNumber(), 0);
    EXPECT_EQ(d.BootMode(), 1);

    auto failing = SimFrom(R"({"system": {"clean_boot": 2, "version": null}})");
    const OperatingSystem e(*failing);
    EXPECT_EQ(e.BootMode(), 2);
    EXPECT_EQ(e.Version(), L"");
}
