#include "platform/linux/parsers/power_supply.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <cstdlib>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

constexpr std::int64_t kHighAbove = 66;
constexpr std::int64_t kLowBelow = 33;
constexpr std::int64_t kCriticalBelow = 5;
constexpr std::int64_t kFullPercent = 100;
constexpr double kSecondsPerHour = 3600.0;

using Status = SystemPowerStatus;

bool IsAdapterType(const std::string& type) {
    // Mains adapters, and USB ports that feed the machine (USB-C chargers).
    return type == "Mains" || type == "BrickID" || StartsWith(type, "USB");
}

bool IsSystemScope(const PowerSupply& s) { return s.scope != "Device"; }

std::optional<std::int64_t> Number(const std::map<std::string, std::string>& attributes, const char* name) {
    const auto found = attributes.find(name);
    if (found == attributes.end()) return std::nullopt;
    return ParseSignedDecimal(found->second);
}

std::string Text(const std::map<std::string, std::string>& attributes, const char* name) {
    const auto found = attributes.find(name);
    return found == attributes.end() ? std::string() : std::string(Trim(found->second));
}

// Sum of one quantity over all batteries; nothing unless every battery has
// it, and nothing for values no battery can have (a captured tree may hold
// anything).
template <typename Member>
std::optional<std::int64_t> Sum(const std::vector<const PowerSupply*>& batteries, Member member) {
    std::int64_t sum = 0;
    for (const PowerSupply* b : batteries) {
        const auto value = b->*member;
        if (!value || *value == std::numeric_limits<std::int64_t>::min()) return std::nullopt;
        // Some drivers sign the rate by direction.
        if (__builtin_add_overflow(sum, std::llabs(*value), &sum)) return std::nullopt;
    }
    return sum;
}

// A percentage rounded to whole percents, kept within 0..100 before rounding:
// a battery holding more than its full energy is full, and a figure too large
// for a whole number must not wrap round to empty.
std::int64_t RoundedPercent(double percent) {
    return std::llround(std::clamp(percent, 0.0, static_cast<double>(kFullPercent)));
}

std::uint32_t Seconds(double hours) {
    const double seconds = std::round(hours * kSecondsPerHour);
    if (!(seconds >= 0) || seconds >= static_cast<double>(Status::kUnknownTime)) return Status::kUnknownTime;
    return static_cast<std::uint32_t>(seconds);
}

}  // namespace

PowerSupply PowerSupplyFromAttributes(const std::map<std::string, std::string>& attributes) {
    PowerSupply s;
    s.type = Text(attributes, "type");
    s.status = Text(attributes, "status");
    s.capacityLevel = Text(attributes, "capacity_level");
    s.scope = Text(attributes, "scope");
    s.online = Number(attributes, "online");
    s.present = Number(attributes, "present");
    s.capacity = Number(attributes, "capacity");
    s.energyNow = Number(attributes, "energy_now");
    s.energyFull = Number(attributes, "energy_full");
    s.powerNow = Number(attributes, "power_now");
    s.chargeNow = Number(attributes, "charge_now");
    s.chargeFull = Number(attributes, "charge_full");
    s.currentNow = Number(attributes, "current_now");
    return s;
}

std::optional<std::uint8_t> ChargeLevelBits(const std::string& capacityLevel, std::optional<std::int64_t> percent) {
    if (capacityLevel == "Critical") return Status::kBatteryCritical;
    if (capacityLevel == "Low") return Status::kBatteryLow;
    if (capacityLevel == "High" || capacityLevel == "Full") return Status::kBatteryHigh;
    const bool levelNormal = capacityLevel == "Normal";
    if (!percent) return levelNormal ? std::optional<std::uint8_t>(0) : std::nullopt;
    if (*percent > kHighAbove) return Status::kBatteryHigh;
    // The kernel's "Normal" overrules our own idea of critical.
    if (*percent < kCriticalBelow && !levelNormal) return Status::kBatteryCritical;
    if (*percent < kLowBelow) return Status::kBatteryLow;
    return 0;
}

SystemPowerStatus PowerStatusFromSupplies(const std::vector<PowerSupply>& supplies) {
    std::vector<const PowerSupply*> batteries;
    std::vector<const PowerSupply*> adapters;
    for (const auto& s : supplies) {
        if (!IsSystemScope(s)) continue;
        if (s.type == "Battery" && s.present.value_or(1) != 0) batteries.push_back(&s);
        if (IsAdapterType(s.type)) adapters.push_back(&s);
    }

    const bool charging =
        std::any_of(batteries.begin(), batteries.end(), [](const PowerSupply* b) { return b->status == "Charging"; });
    const bool discharging = !charging && std::any_of(batteries.begin(), batteries.end(), [](const PowerSupply* b) {
        return b->status == "Discharging";
    });

    SystemPowerStatus status;
    std::optional<bool> adapterOnline;
    for (const PowerSupply* a : adapters)
        if (a->online) adapterOnline = adapterOnline.value_or(false) || *a->online != 0;
    if (adapterOnline)
        status.acLineStatus = *adapterOnline ? 1 : 0;
    else
        status.acLineStatus = discharging ? 0 : 1;  // a running machine without a battery is on mains

    if (batteries.empty()) {
        status.batteryFlag = Status::kNoSystemBattery;
        return status;
    }

    // Several batteries (a second bay) count as one by their summed energy.
    const auto energyNow = Sum(batteries, &PowerSupply::energyNow);
    const auto energyFull = Sum(batteries, &PowerSupply::energyFull);
    const auto chargeNow = Sum(batteries, &PowerSupply::chargeNow);
    const auto chargeFull = Sum(batteries, &PowerSupply::chargeFull);
    std::optional<std::int64_t> percent;
    if (batteries.size() == 1 && batteries.front()->capacity) {
        percent = batteries.front()->capacity;
    } else if (energyNow && energyFull && *energyFull > 0) {
        percent = RoundedPercent(100.0 * static_cast<double>(*energyNow) / static_cast<double>(*energyFull));
    } else if (chargeNow && chargeFull && *chargeFull > 0) {
        percent = RoundedPercent(100.0 * static_cast<double>(*chargeNow) / static_cast<double>(*chargeFull));
    } else if (std::all_of(batteries.begin(), batteries.end(), [](const PowerSupply* b) { return b->capacity; })) {
        double sum = 0;
        for (const PowerSupply* b : batteries) sum += static_cast<double>(*b->capacity);
        percent = RoundedPercent(sum / static_cast<double>(batteries.size()));
    }
    if (percent) percent = std::clamp<std::int64_t>(*percent, 0, kFullPercent);

    const std::string level = batteries.size() == 1 ? batteries.front()->capacityLevel : std::string();
    const auto levelBits = ChargeLevelBits(level, percent);
    if (levelBits || charging)
        status.batteryFlag = static_cast<std::uint8_t>(levelBits.value_or(0) | (charging ? Status::kBatteryCharging : 0));
    if (percent) status.batteryLifePercent = static_cast<std::uint8_t>(*percent);

    // Times only while running on the battery, and only from a rate the
    // kernel reports: energy over power, or charge over current.
    if (discharging) {
        const auto power = Sum(batteries, &PowerSupply::powerNow);
        const auto current = Sum(batteries, &PowerSupply::currentNow);
        if (energyNow && power && *power > 0) {
            status.batteryLifeTime = Seconds(static_cast<double>(*energyNow) / static_cast<double>(*power));
            if (energyFull && *energyFull > 0)
                status.batteryFullLifeTime = Seconds(static_cast<double>(*energyFull) / static_cast<double>(*power));
        } else if (chargeNow && current && *current > 0) {
            status.batteryLifeTime = Seconds(static_cast<double>(*chargeNow) / static_cast<double>(*current));
            if (chargeFull && *chargeFull > 0)
                status.batteryFullLifeTime = Seconds(static_cast<double>(*chargeFull) / static_cast<double>(*current));
        }
    }
    return status;
}

}  // namespace platform::linux_backend
