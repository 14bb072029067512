#include "collectors/Battery.h"

#include <cmath>

namespace collectors {

Battery::Battery(platform::Machine& machine) : machine_(machine) { Refresh(); }

std::int32_t Battery::ChargeStatusFromFlag(std::uint8_t flag) {
    if (flag == 0 || flag == platform::SystemPowerStatus::kUnknownByte) return kNotReported;
    // Combinations give the rounded logarithm (12 gives 4, an empty list entry),
    // halves to the even number as the double-precision rounding does.
    return static_cast<std::int32_t>(std::nearbyint(std::log(flag) / std::log(2.0)));
}

void Battery::Refresh() {
    chargeStatus_ = kNotReported;
    fullLifeTime_.reset();
    lifePercent_ = kNotReported;
    lifeTime_.reset();
    powerStatus_ = kNotReported;

    const auto status = machine_.GetSystemPowerStatus();
    if (!status) return;
    chargeStatus_ = ChargeStatusFromFlag(status->batteryFlag);
    if (status->batteryFullLifeTime != platform::SystemPowerStatus::kUnknownTime)
        fullLifeTime_ = format::TimeEx::Convert(status->batteryFullLifeTime);
    lifePercent_ = status->batteryLifePercent;
    if (status->batteryLifeTime != platform::SystemPowerStatus::kUnknownTime)
        lifeTime_ = format::TimeEx::Convert(status->batteryLifeTime);
    powerStatus_ = status->acLineStatus;
}

}  // namespace collectors
