#pragma once
// The real Windows machine: every operation is the Win32 call it is named
// after, its request and reply bytes passed through unchanged.

#include <memory>
#include <string>

#include "platform/machine.h"
#include "platform/win32/windows_display.h"
#include "platform/win32/windows_drives.h"
#include "platform/win32/windows_multimedia.h"
#include "platform/win32/windows_network.h"
#include "platform/win32/windows_spooler.h"
#include "platform/win32/windows_usb.h"

namespace platform::win32 {

class WindowsMachine : public Machine {
public:
    // Gives base the system's code pages, so that its texts decode with
    // whatever ANSI code page the system has.
    WindowsMachine();

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
    base::CodePage TextCodePage() override;

    DriveServices& Drives() override { return drives_; }
    DisplayServices& Display() override { return display_; }
    MultimediaServices& Multimedia() override { return multimedia_; }
    SpoolerServices& Spooler() override { return spooler_; }
    NetworkServices& Network() override { return network_; }
    UsbServices& Usb() override { return usb_; }

private:
    WindowsDrives drives_;
    WindowsDisplay display_;
    WindowsMultimedia multimedia_;
    WindowsSpooler spooler_;
    WindowsNetwork network_;
    WindowsUsb usb_;
};

// This machine. A captured tree (a root other than "/") is a Linux machine's
// files, which only the Linux build reads: refused with a line in `error`.
std::unique_ptr<Machine> OpenWindowsMachine(const std::string& root, std::string& error);

}  // namespace platform::win32
