#pragma once
// The power source and the battery's charge.

#include <cstdint>
#include <optional>

#include "format/TimeEx.h"
#include "platform/machine.h"

namespace collectors {

class Battery {
public:
    static constexpr std::int32_t kNotReported = 255;

    explicit Battery(platform::Machine& machine);

    // Re-reads everything; a failed request leaves every value "not reported".
    void Refresh();

    std::int32_t PowerStatus() const { return powerStatus_; }    // 0 offline, 1 online, 255
    std::int32_t ChargeStatus() const { return chargeStatus_; }  // list index, 255
    std::uint8_t LifePercent() const { return lifePercent_; }    // 0-100, 255
    // Empty when the platform reports no time.
    const std::optional<format::TimeOfDay>& LifeTime() const { return lifeTime_; }
    const std::optional<format::TimeOfDay>& FullLifeTime() const { return fullLifeTime_; }

    // The list index of a battery flag byte: the rounded base-2 logarithm, so
    // a single bit gives its bit number; 0 and 255 give 255.
    static std::int32_t ChargeStatusFromFlag(std::uint8_t flag);

private:
    platform::Machine& machine_;
    std::int32_t powerStatus_ = kNotReported;
    std::int32_t chargeStatus_ = kNotReported;
    std::uint8_t lifePercent_ = kNotReported;
    std::optional<format::TimeOfDay> lifeTime_;
    std::optional<format::TimeOfDay> fullLifeTime_;
};

}  // namespace collectors
