#pragma once
// The kernel services of a simulated machine: what the sections "processor",
// "memory", "power", "keys", "live", "keyboard", "mouse", "system" and
// "regional" of the machine file say. The answers themselves are
// SimMachine's kernel operations (sim_kernel.cpp).

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/kernel_services.h"
#include "platform/sim/sim_reader.h"

namespace platform::sim {

struct SimAreas;

struct SimKernel {
    struct KeyStates {
        std::int16_t caps = 0, num = 0, scroll = 0, tab = 0;
    };
    // What changes while the program runs: memory, power and the keys.
    struct LiveState {
        std::optional<MemoryStatusEx> memory;
        std::optional<SystemPowerStatus> power;
        KeyStates keys;
    };

    SystemInfo systemInfo;
    std::vector<std::pair<std::uint32_t, CpuidRegisters>> cpuid;
    std::uint64_t tscHz = 0;
    std::uint64_t clockHz = 10000000;  // the monotonic clock; 0 is none
    std::uint64_t oversleepNanoseconds = 0;  // added to every wait, as on a loaded machine
    std::uint64_t virtualNanoseconds = 0;
    std::optional<OsVersionInfo> version;
    int cleanBoot = 0;
    int keyboardType = 0;
    int functionKeys = 0;
    std::optional<std::string> layoutName;
    std::optional<std::uint32_t> repeatDelay;
    std::optional<std::uint32_t> repeatSpeed;
    int swapButtons = 0;
    int mouseButtons = 0;
    int wheelPresent = 0;
    std::uint32_t doubleClickTime = 500;
    RegionalSettings regional;
    // The state at start, then one per entry of "live".
    std::vector<LiveState> live{LiveState{}};
    std::size_t liveStep = 0;

    const LiveState& Live() const { return live[liveStep]; }
};

void ReadProcessorSection(const Node& section, SimAreas& areas);
void ReadMemorySection(const Node& section, SimAreas& areas);
void ReadPowerSection(const Node& section, SimAreas& areas);
void ReadKeysSection(const Node& section, SimAreas& areas);
// After "memory", "power" and "keys": each entry starts from the state before it.
void ReadLiveSection(const Node& section, SimAreas& areas);
void ReadKeyboardSection(const Node& section, SimAreas& areas);
void ReadMouseSection(const Node& section, SimAreas& areas);
void ReadSystemSection(const Node& section, SimAreas& areas);
void ReadRegionalSection(const Node& section, SimAreas& areas);

}  // namespace platform::sim
