#pragma once
// A simulated machine described by a JSON file (docs/machine-file.md). Every
// answer a collector can ask for comes from the file; time is virtual, so the
// clock measurement takes no real time and gives an exact result.

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/machine.h"

namespace platform::sim {

class SimMachine final : public Machine {
public:
    // Throws SimFileError (with the place and the reason) for a malformed file.
    explicit SimMachine(const nlohmann::json& document);

    // Moves the live state (memory, power, keys) to the next entry of the
    // file's "live" list; the last entry stays once reached.
    void Advance();
    std::size_t LiveStep() const { return liveStep_; }

    SystemInfo GetSystemInfo() override;
    CpuidRegisters ExecuteCPUID(std::uint32_t leaf) override;
    std::uint64_t ReadTimeStampCounter() override;
    void Sleep(std::uint32_t milliseconds) override;
    std::optional<MemoryStatusEx> GlobalMemoryStatusEx() override;
    std::optional<SystemPowerStatus> GetSystemPowerStatus() override;
    std::optional<OsVersionInfo> GetVersionEx() override;
    int GetKeyboardType(int query) override;
    std::optional<std::string> GetKeyboardLayoutName() override;
    std::optional<std::uint32_t> SystemParametersInfo(std::uint32_t action) override;
    std::int16_t GetKeyState(int virtualKey) override;
    int GetSystemMetrics(int index) override;
    std::uint32_t GetDoubleClickTime() override;
    RegionalSettings GetRegionalSettings() override;

private:
    struct KeyStates {
        std::int16_t caps = 0, num = 0, scroll = 0, tab = 0;
    };
    struct LiveState {
        std::optional<MemoryStatusEx> memory;
        std::optional<SystemPowerStatus> power;
        KeyStates keys;
    };

    const LiveState& Live() const { return live_[liveStep_]; }

    SystemInfo systemInfo_;
    std::vector<std::pair<std::uint32_t, CpuidRegisters>> cpuid_;
    std::uint64_t tscHz_ = 0;
    std::uint64_t virtualNanoseconds_ = 0;
    std::optional<OsVersionInfo> version_;
    int cleanBoot_ = 0;
    int keyboardType_ = 0;
    int functionKeys_ = 0;
    std::optional<std::string> layoutName_;
    std::optional<std::uint32_t> repeatDelay_;
    std::optional<std::uint32_t> repeatSpeed_;
    int swapButtons_ = 0;
    int mouseButtons_ = 0;
    int wheelPresent_ = 0;
    std::uint32_t doubleClickTime_ = 500;
    RegionalSettings regional_;
    std::vector<LiveState> live_;
    std::size_t liveStep_ = 0;
};

}  // namespace platform::sim
