#pragma once
// The real Linux machine. Every file is read under a file-system root, so the
// same code runs on this machine ("/") and on a captured tree; on a captured
// tree, answers that only an instruction, an ioctl or the X server can give
// come from the tree's recorded replies instead (docs/captures.md).
//
// The kernel services are answered here (linux_kernel.cpp); each device area
// is an object of its own over the shared context, made on first use.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/linux/areas/linux_context.h"
#include "platform/linux/areas/linux_drives.h"
#include "platform/linux/areas/live_sources.h"
#include "platform/machine.h"

namespace platform::linux_backend {

class LinuxDisplay;
class LinuxNetwork;
class LinuxUsb;
class LinuxMultimedia;
class LinuxSpooler;

class LinuxMachine final : public Machine {
public:
    explicit LinuxMachine(std::string root);
    explicit LinuxMachine(LinuxMachineOptions options);
    ~LinuxMachine() override;

    // Why the root cannot be used (not a directory, a malformed recorded
    // reply, with its file and line); empty when all is well.
    const std::string& OpenError() const;
    // Answers come from this machine rather than from a captured tree.
    bool IsLive() const;

    // Kernel services (linux_kernel.cpp).
    SystemInfo GetSystemInfo() override;
    CpuidRegisters ExecuteCPUID(std::uint32_t leaf) override;
    std::uint64_t ReadTimeStampCounter() override;
    void Sleep(std::uint32_t milliseconds) override;
    std::optional<std::uint64_t> QueryPerformanceCounter() override;
    std::optional<std::uint64_t> QueryPerformanceFrequency() override;
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
    // Linux's own code page: names are UTF-8, handed over as the kernel and
    // the services give them.
    base::CodePage TextCodePage() override { return base::CodePage::kUtf8; }

    // Device areas: one override per area the backend answers.
    DisplayServices& Display() override;
    NetworkServices& Network() override;
    UsbServices& Usb() override;
    DriveServices& Drives() override;
    MultimediaServices& Multimedia() override;
    SpoolerServices& Spooler() override;

private:
    std::unique_ptr<LinuxContext> context_;
    std::optional<RegionalSettings> regional_;
    LiveSources live_;
    // Device areas, each made on first use.
    std::unique_ptr<LinuxDisplay> display_;
    std::unique_ptr<LinuxNetwork> network_;
    std::unique_ptr<LinuxUsb> usb_;
    std::unique_ptr<LinuxDrives> drives_;
    std::unique_ptr<LinuxMultimedia> multimedia_;
    std::unique_ptr<LinuxSpooler> spooler_;
};

// The machine at `root`, or nothing and `error` set ("DIR: ...") when the
// root cannot be used. `privacy` masks identifiers (LinuxMachineOptions).
std::unique_ptr<LinuxMachine> OpenLinuxMachine(const std::string& root, std::string& error, bool realWaits = true,
                                               bool privacy = false);

}  // namespace platform::linux_backend
