// The attributes of /sys/class/power_supply. The input holds one supply per
// block of "attribute=value" lines, blocks separated by an empty line; the
// values are what the backend hands over, a sysfs attribute without its
// newline.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "platform/linux/parsers/power_supply.h"

namespace pl = platform::linux_backend;
using Status = platform::SystemPowerStatus;

namespace {

constexpr std::uint8_t kFullPercent = 100;
constexpr std::uint8_t kUnknownPercent = Status::kUnknownByte;

// One battery holding at least its full energy, with no percentage of its
// own: it must read as full, however large the figures.
bool OneOverfullBattery(const std::vector<pl::PowerSupply>& supplies) {
    const pl::PowerSupply* battery = nullptr;
    for (const auto& s : supplies) {
        if (s.scope == "Device" || s.type != "Battery" || s.present.value_or(1) == 0) continue;
        if (battery) return false;
        battery = &s;
    }
    if (!battery || battery->capacity || !battery->energyNow || !battery->energyFull) return false;
    const auto now = *battery->energyNow, full = *battery->energyFull;
    constexpr auto kLowest = std::numeric_limits<std::int64_t>::min();
    return now != kLowest && full != kLowest && full != 0 && std::llabs(now) >= std::llabs(full);
}

std::vector<pl::PowerSupply> ReadSupplies(std::string_view text) {
    std::vector<pl::PowerSupply> supplies;
    std::map<std::string, std::string> attributes;
    auto close = [&] {
        if (!attributes.empty()) supplies.push_back(pl::PowerSupplyFromAttributes(attributes));
        attributes.clear();
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        if (line.empty()) close();
        if (const std::size_t eq = line.find('='); eq != std::string_view::npos)
            attributes[std::string(line.substr(0, eq))] = std::string(line.substr(eq + 1));
        start = end + 1;
    }
    close();
    return supplies;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto supplies = ReadSupplies(std::string_view(reinterpret_cast<const char*>(data), size));
    const Status status = pl::PowerStatusFromSupplies(supplies);
    FUZZ_CHECK(status.acLineStatus == 0 || status.acLineStatus == 1);
    FUZZ_CHECK(status.batteryLifePercent <= kFullPercent || status.batteryLifePercent == kUnknownPercent);
    if (status.batteryFlag == Status::kNoSystemBattery) {
        FUZZ_CHECK(status.batteryLifePercent == kUnknownPercent);
        FUZZ_CHECK(status.batteryLifeTime == Status::kUnknownTime);
    }
    if (OneOverfullBattery(supplies)) FUZZ_CHECK(status.batteryLifePercent == kFullPercent);
    for (const auto& supply : supplies) pl::ChargeLevelBits(supply.capacityLevel, supply.capacity);
    return 0;
}
