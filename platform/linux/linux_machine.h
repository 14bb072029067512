#pragma once
// The real Linux machine. Every file is read under a file-system root, so the
// same code runs on this machine ("/") and on a captured tree; on a captured
// tree, answers that only an instruction, an ioctl or the X server can give
// come from the tree's recorded replies instead (docs/captures.md).

#include <memory>
#include <string>

#include "platform/machine.h"

namespace platform::linux_backend {

class LinuxMachine final : public Machine {
public:
    explicit LinuxMachine(std::string root);
    ~LinuxMachine() override;

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
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform::linux_backend
