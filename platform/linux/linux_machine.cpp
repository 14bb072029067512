// Placeholder until the Linux backend lands: answers like a machine that
// reports nothing.
#include "platform/linux/linux_machine.h"

namespace platform::linux_backend {

struct LinuxMachine::State {
    std::string root;
};

LinuxMachine::LinuxMachine(std::string root) : state_(std::make_unique<State>(State{std::move(root)})) {}
LinuxMachine::~LinuxMachine() = default;
SystemInfo LinuxMachine::GetSystemInfo() { return {}; }
CpuidRegisters LinuxMachine::ExecuteCPUID(std::uint32_t) { return {}; }
std::uint64_t LinuxMachine::ReadTimeStampCounter() { return 0; }
void LinuxMachine::Sleep(std::uint32_t) {}
std::optional<MemoryStatusEx> LinuxMachine::GlobalMemoryStatusEx() { return std::nullopt; }
std::optional<SystemPowerStatus> LinuxMachine::GetSystemPowerStatus() { return std::nullopt; }
std::optional<OsVersionInfo> LinuxMachine::GetVersionEx() { return std::nullopt; }
int LinuxMachine::GetKeyboardType(int) { return 0; }
std::optional<std::string> LinuxMachine::GetKeyboardLayoutName() { return std::nullopt; }
std::optional<std::uint32_t> LinuxMachine::SystemParametersInfo(std::uint32_t) { return std::nullopt; }
std::int16_t LinuxMachine::GetKeyState(int) { return 0; }
int LinuxMachine::GetSystemMetrics(int) { return 0; }
std::uint32_t LinuxMachine::GetDoubleClickTime() { return 500; }
RegionalSettings LinuxMachine::GetRegionalSettings() { return {}; }

}  // namespace platform::linux_backend
