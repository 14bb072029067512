#pragma once
// The processor: identification through CPUID and the clock rate measured
// with the time-stamp counter over a 500 ms wait.

#include <cstdint>
#include <string>

#include "platform/machine.h"

namespace collectors {

class Processor {
public:
    // Blocks for about 510 ms on a real machine while it measures the clock.
    explicit Processor(platform::Machine& machine);

    const std::wstring& ProcessorType() const { return processorType_; }
    std::uint8_t Processors() const { return processors_; }
    const std::wstring& ManufacturerID() const { return manufacturerID_; }
    const std::wstring& Name() const { return name_; }
    std::uint8_t BaseFamilyID() const { return baseFamilyID_; }
    const std::wstring& BaseModelID() const { return baseModelID_; }
    std::uint8_t ExtendedFamilyID() const { return extendedFamilyID_; }
    const std::wstring& ExtendedModelID() const { return extendedModelID_; }
    std::uint8_t SteppingID() const { return steppingID_; }
    std::uint8_t TypeID() const { return typeID_; }
    std::uint8_t BrandID() const { return brandID_; }
    const std::wstring& SerialNumber() const { return serialNumber_; }
    double Speed() const { return speed_; }  // MHz

    // Cycles counted over the 500 ms wait, in MHz.
    static double SpeedFromCycles(std::uint64_t cycles) { return static_cast<double>(cycles) / 500000.0; }
    // MHz over a wait that a clock of `ticksPerSecond` measured as `ticks`.
    static double SpeedFromCycles(std::uint64_t cycles, std::uint64_t ticks, std::uint64_t ticksPerSecond) {
        const double microseconds = static_cast<double>(ticks) * 1e6 / static_cast<double>(ticksPerSecond);
        return static_cast<double>(cycles) / microseconds;
    }

private:
    void Identify(platform::Machine& machine);
    static double MeasureSpeed(platform::Machine& machine);

    std::wstring processorType_;
    std::uint8_t processors_ = 0;
    std::wstring manufacturerID_;
    std::wstring name_;
    std::uint8_t baseFamilyID_ = 0;
    std::wstring baseModelID_;
    std::uint8_t extendedFamilyID_ = 0;
    std::wstring extendedModelID_;
    std::uint8_t steppingID_ = 0;
    std::uint8_t typeID_ = 0;
    std::uint8_t brandID_ = 0;
    std::wstring serialNumber_;
    double speed_ = 0;
};

}  // namespace collectors
