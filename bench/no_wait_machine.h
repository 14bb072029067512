#pragma once
// A machine that passes everything to another one but does not sleep, so the
// clock measurement's half-second wait drops out of a measurement.

#include "platform/machine.h"

namespace bench {

class NoWaitMachine final : public platform::Machine {
public:
    explicit NoWaitMachine(platform::Machine& inner) : inner_(inner) {}

    platform::SystemInfo GetSystemInfo() override { return inner_.GetSystemInfo(); }
    platform::CpuidRegisters ExecuteCPUID(std::uint32_t leaf) override { return inner_.ExecuteCPUID(leaf); }
    std::uint64_t ReadTimeStampCounter() override { return inner_.ReadTimeStampCounter(); }
    void Sleep(std::uint32_t) override {}
    std::optional<platform::MemoryStatusEx> GlobalMemoryStatusEx() override { return inner_.GlobalMemoryStatusEx(); }
    std::optional<platform::SystemPowerStatus> GetSystemPowerStatus() override { return inner_.GetSystemPowerStatus(); }
    std::optional<platform::OsVersionInfo> GetVersionEx() override { return inner_.GetVersionEx(); }
    int GetKeyboardType(int query) override { return inner_.GetKeyboardType(query); }
    std::optional<std::string> GetKeyboardLayoutName() override { return inner_.GetKeyboardLayoutName(); }
    std::optional<std::uint32_t> SystemParametersInfo(std::uint32_t action) override {
        return inner_.SystemParametersInfo(action);
    }
    std::int16_t GetKeyState(int virtualKey) override { return inner_.GetKeyState(virtualKey); }
    int GetSystemMetrics(int index) override { return inner_.GetSystemMetrics(index); }
    std::uint32_t GetDoubleClickTime() override { return inner_.GetDoubleClickTime(); }
    platform::RegionalSettings GetRegionalSettings() override { return inner_.GetRegionalSettings(); }

private:
    platform::Machine& inner_;
};

}  // namespace bench
