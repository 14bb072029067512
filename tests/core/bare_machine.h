#pragma once
// A machine for a test's own device area: the kernel services answer
// nothing, and every area refuses until the test's class hands out its own.

#include "platform/machine.h"

namespace testing_support {

class BareMachine : public platform::Machine {
public:
    platform::SystemInfo GetSystemInfo() override { return {}; }
    platform::CpuidRegisters ExecuteCPUID(std::uint32_t) override { return {}; }
    std::uint64_t ReadTimeStampCounter() override { return 0; }
    void Sleep(std::uint32_t) override {}
    std::optional<std::uint64_t> QueryPerformanceCounter() override { return std::nullopt; }
    std::optional<std::uint64_t> QueryPerformanceFrequency() override { return std::nullopt; }
    std::optional<platform::MemoryStatusEx> GlobalMemoryStatusEx() override { return std::nullopt; }
    std::optional<platform::SystemPowerStatus> GetSystemPowerStatus() override { return std::nullopt; }
    std::optional<platform::OsVersionInfo> GetVersionEx() override { return std::nullopt; }
    int GetKeyboardType(int) override { return 0; }
    std::optional<std::string> GetKeyboardLayoutName() override { return std::nullopt; }
    std::optional<std::uint32_t> SystemParametersInfo(std::uint32_t) override { return std::nullopt; }
    std::int16_t GetKeyState(int) override { return 0; }
    int GetSystemMetrics(int) override { return 0; }
    std::uint32_t GetDoubleClickTime() override { return 0; }
    platform::RegionalSettings GetRegionalSettings() override { return {}; }
};

}  // namespace testing_support
