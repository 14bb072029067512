// The simulated-machine file: whatever the text, reading it either gives a
// machine that answers every request, or refuses with SimFileError. Any
// other exception escapes and libFuzzer reports it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_reader.h"

namespace {

using namespace platform::code;

// Every request the machine answers, and one it does not know.
constexpr int kUnknownRequest = -1;
constexpr int kKeyboardQueries[] = {kKeyboardTypeQuery, kKeyboardFunctionKeysQuery, kUnknownRequest};
constexpr int kMetrics[] = {kSmSwapButton, kSmCMouseButtons, kSmCleanBoot, kSmMouseWheelPresent, kUnknownRequest};
constexpr int kVirtualKeys[] = {kVkTab, kVkCapital, kVkNumLock, kVkScroll, kUnknownRequest};
constexpr std::uint32_t kSpiActions[] = {kSpiGetKeyboardSpeed, kSpiGetKeyboardDelay, 0};
constexpr std::uint32_t kLeaves[] = {0, 1, 0x80000000u, 0x80000004u, 0xFFFFFFFFu};
constexpr std::uint32_t kClockWaitMs = 500;
constexpr std::uint32_t kFullLoad = 100;

void Exercise(platform::sim::SimMachine& machine) {
    machine.GetSystemInfo();
    for (std::uint32_t leaf : kLeaves) machine.ExecuteCPUID(leaf);
    machine.ReadTimeStampCounter();
    machine.Sleep(kClockWaitMs);
    machine.ReadTimeStampCounter();
    machine.GetVersionEx();
    for (int q : kKeyboardQueries) machine.GetKeyboardType(q);
    for (int m : kMetrics) machine.GetSystemMetrics(m);
    machine.GetKeyboardLayoutName();
    for (std::uint32_t action : kSpiActions) machine.SystemParametersInfo(action);
    machine.GetDoubleClickTime();
    machine.GetRegionalSettings();
    // Every live step once, and the last one stays.
    std::size_t previous = machine.LiveStep();
    for (;;) {
        if (const auto memory = machine.GlobalMemoryStatusEx()) FUZZ_CHECK(memory->memoryLoad <= kFullLoad);
        machine.GetSystemPowerStatus();
        for (int key : kVirtualKeys) machine.GetKeyState(key);
        machine.Advance();
        if (machine.LiveStep() == previous) break;
        FUZZ_CHECK(machine.LiveStep() == previous + 1);
        previous = machine.LiveStep();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        platform::sim::SimMachine machine(platform::sim::ParseMachineText(text));
        Exercise(machine);
    } catch (const platform::sim::SimFileError& error) {
        FUZZ_CHECK(error.what()[0] != '\0');
    }
    return 0;
}
