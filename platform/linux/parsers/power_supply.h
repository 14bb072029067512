#pragma once
// Power: the supplies of /sys/class/power_supply, told apart by their "type"
// attribute (never by their name), turned into the AC line status, battery
// flag, charge percentage and battery times.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/machine.h"

namespace platform::linux_backend {

// The attributes read from each supply directory.
inline constexpr const char* kPowerSupplyAttributes[] = {
    "type",       "status",      "capacity_level", "scope",      "online",      "present",    "capacity",
    "energy_now", "energy_full", "power_now",      "charge_now", "charge_full", "current_now"};

struct PowerSupply {
    std::string type;           // "Battery", "Mains", "USB", "USB_C", ...
    std::string status;         // "Charging", "Discharging", "Not charging", "Full", "Unknown"
    std::string capacityLevel;  // "Critical", "Low", "Normal", "High", "Full", "Unknown"
    std::string scope;          // "System", "Device" (mice, headsets), "Unknown"
    std::optional<std::int64_t> online, present, capacity;
    // Micro-watt-hours and micro-watts, or micro-ampere-hours and micro-amperes.
    std::optional<std::int64_t> energyNow, energyFull, powerNow;
    std::optional<std::int64_t> chargeNow, chargeFull, currentNow;
};

// Attribute name to its value (the newline removed). Numbers that are not
// whole numbers are left out.
PowerSupply PowerSupplyFromAttributes(const std::map<std::string, std::string>& attributes);

// The power status of the machine from all its supplies. Without a system
// battery: AC online, "no system battery", percent and times not reported,
// as on a desktop.
SystemPowerStatus PowerStatusFromSupplies(const std::vector<PowerSupply>& supplies);

// The battery flag's charge bits (high, low, critical) from the kernel's
// capacity level and the percentage: high above 66 %, low below 33 %,
// critical below 5 % when the kernel gives no level of its own. Nothing when
// neither is known.
std::optional<std::uint8_t> ChargeLevelBits(const std::string& capacityLevel, std::optional<std::int64_t> percent);

}  // namespace platform::linux_backend
