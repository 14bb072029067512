// Power status from power_supply attributes: supplies told apart by type and
// scope, the AC line, the battery flag, percent and times.
#include <gtest/gtest.h>

#include "platform/linux/parsers/power_supply.h"

using namespace platform::linux_backend;
using platform::SystemPowerStatus;

namespace {

PowerSupply Supply(std::map<std::string, std::string> attributes) { return PowerSupplyFromAttributes(attributes); }

PowerSupply Mains(const char* online) { return Supply({{"type", "Mains"}, {"online", online}}); }

PowerSupply DischargingBattery() {
    return Supply({{"type", "Battery"}, {"status", "Discharging"}, {"present", "1"}, {"capacity", "67"},
                   {"capacity_level", "Normal"}, {"energy_now", "32400000"}, {"energy_full", "48000000"},
                   {"power_now", "10800000"}});
}

void ExpectDesktop(const SystemPowerStatus& s) {
    EXPECT_EQ(s.acLineStatus, 1);
    EXPECT_EQ(s.batteryFlag, SystemPowerStatus::kNoSystemBattery);
    EXPECT_EQ(s.batteryLifePercent, 255);
    EXPECT_EQ(s.batteryLifeTime, SystemPowerStatus::kUnknownTime);
    EXPECT_EQ(s.batteryFullLifeTime, SystemPowerStatus::kUnknownTime);
}

}  // namespace

TEST(LinuxPowerSupply, DischargingLaptopReportsItsTimes) {
    const auto s = PowerStatusFromSupplies({Mains("0"), DischargingBattery()});
    EXPECT_EQ(s.acLineStatus, 0);
    EXPECT_EQ(s.batteryFlag, SystemPowerStatus::kBatteryHigh) << "Normal, but 67 % is above two thirds";
    EXPECT_EQ(s.batteryLifePercent, 67);
    EXPECT_EQ(s.batteryLifeTime, 3u * 3600) << "32.4 Wh at 10.8 W";
    EXPECT_EQ(s.batteryFullLifeTime, 16000u) << "48 Wh at 10.8 W";
}

TEST(LinuxPowerSupply, ChargeAndCurrentWhenTheDriverCountsInAmpereHours) {
    const auto s = PowerStatusFromSupplies({Supply({{"type", "Battery"}, {"status", "Discharging"},
                                                    {"charge_now", "2000000"}, {"charge_full", "4000000"},
                                                    {"current_now", "-1000000"}})});
    EXPECT_EQ(s.batteryLifePercent, 50) << "from the charge when there is no capacity";
    EXPECT_EQ(s.batteryFlag, 0) << "between a third and two thirds: no level bit";
    EXPECT_EQ(s.batteryLifeTime, 7200u) << "a current signed by direction counts by size";
    EXPECT_EQ(s.batteryFullLifeTime, 14400u);
    EXPECT_EQ(s.acLineStatus, 0) << "no adapter supply, battery discharging";
}

TEST(LinuxPowerSupply, TimesOnlyWhileDischargingAtAKnownRate) {
    auto charging = DischargingBattery();
    charging.status = "Charging";
    auto s = PowerStatusFromSupplies({Mains("1"), charging});
    EXPECT_EQ(s.acLineStatus, 1);
    EXPECT_EQ(s.batteryFlag, SystemPowerStatus::kBatteryHigh | SystemPowerStatus::kBatteryCharging);
    EXPECT_EQ(s.batteryLifeTime, SystemPowerStatus::kUnknownTime) << "charging";

    auto idle = DischargingBattery();
    idle.powerNow = 0;
    s = PowerStatusFromSupplies({idle});
    EXPECT_EQ(s.batteryLifeTime, SystemPowerStatus::kUnknownTime) << "a zero rate tells no time";
    EXPECT_EQ(s.batteryFullLifeTime, SystemPowerStatus::kUnknownTime);

    auto full = DischargingBattery();
    full.status = "Full";
    EXPECT_EQ(PowerStatusFromSupplies({full}).acLineStatus, 1) << "no adapter supply, battery not discharging";
}

TEST(LinuxPowerSupply, OnlySystemBatteriesCount) {
    ExpectDesktop(PowerStatusFromSupplies({}));
    ExpectDesktop(PowerStatusFromSupplies({Mains("1")}));
    const auto mouse = Supply({{"type", "Battery"}, {"scope", "Device"}, {"status", "Discharging"}, {"capacity", "5"}});
    ExpectDesktop(PowerStatusFromSupplies({mouse}));
    const auto emptyBay = Supply({{"type", "Battery"}, {"present", "0"}, {"status", "Unknown"}});
    ExpectDesktop(PowerStatusFromSupplies({emptyBay}));
    // Named like a battery, typed as an adapter: the type decides.
    const auto namedBattery = Supply({{"type", "USB"}, {"online", "1"}});
    ExpectDesktop(PowerStatusFromSupplies({namedBattery}));

    const auto usbC = Supply({{"type", "USB_C"}, {"online", "1"}});
    EXPECT_EQ(PowerStatusFromSupplies({Mains("0"), usbC, DischargingBattery()}).acLineStatus, 1)
        << "any adapter online puts the machine on AC";
}

TEST(LinuxPowerSupply, TwoBatteriesCountAsOne) {
    auto first = DischargingBattery();
    auto second = DischargingBattery();
    second.energyNow = 8000000;
    second.energyFull = 24000000;
    second.capacity = 33;
    const auto s = PowerStatusFromSupplies({first, second});
    EXPECT_EQ(s.batteryLifePercent, 56) << "40.4 of 72 Wh";
    EXPECT_EQ(s.batteryLifeTime, 6733u) << "40.4 Wh at 21.6 W";
}

TEST(LinuxPowerSupply, ChargeLevelFromTheKernelOrThePercentage) {
    struct Case {
        const char* level;
        std::optional<std::int64_t> percent;
        std::optional<std::uint8_t> bits;
        const char* why;
    };
    const Case cases[] = {
        {"", 80, 1, "above two thirds is high"},
        {"", 66, 0, "exactly two thirds is not high"},
        {"", 33, 0, "exactly a third is not low"},
        {"", 32, 2, "below a third is low"},
        {"", 4, 4, "below 5 % is critical when the kernel gives no level"},
        {"Unknown", 4, 4, "an unknown level counts as none"},
        {"Normal", 4, 2, "the kernel's Normal overrules our critical"},
        {"Critical", 50, 4, "the kernel's level comes first"},
        {"Low", 90, 2, "the kernel's level comes first"},
        {"Full", std::nullopt, 1, "full is high"},
        {"Normal", std::nullopt, 0, "normal without a percentage"},
        {"", std::nullopt, std::nullopt, "nothing known"},
    };
    for (const auto& c : cases) EXPECT_EQ(ChargeLevelBits(c.level, c.percent), c.bits) << c.why;

    const auto unknown = PowerStatusFromSupplies({Supply({{"type", "Battery"}, {"status", "Unknown"}})});
    EXPECT_EQ(unknown.batteryFlag, 255) << "neither level nor percentage: flag not reported";
    EXPECT_EQ(unknown.batteryLifePercent, 255);
    const auto bad = Supply({{"type", "Battery"}, {"status", "Charging"}, {"capacity", "sixty"}});
    EXPECT_EQ(PowerStatusFromSupplies({bad}).batteryFlag, SystemPowerStatus::kBatteryCharging)
        << "a malformed capacity is not a percentage; charging still shows";
}

TEST(LinuxPowerSupply, FiguresBeyondFullOrTooLargeReadAsFull) {
    const auto overfull = Supply({{"type", "Battery"}, {"energy_now", "9000000000000000000"}, {"energy_full", "1"}});
    EXPECT_EQ(PowerStatusFromSupplies({overfull}).batteryLifePercent, 100) << "a ratio past any whole number is full, not 0 %";
    const auto huge = Supply({{"type", "Battery"}, {"capacity", "9223372036854775807"}});
    EXPECT_EQ(PowerStatusFromSupplies({huge, huge}).batteryLifePercent, 100)
        << "an average of capacities that rounds past the largest whole number is full";
}
