#pragma once
// A simulated machine described by a JSON file (docs/machine-file.md). Every
// answer a collector can ask for comes from the file; time is virtual, so the
// clock measurement takes no real time and gives an exact result.
//
// Each top-level section of the file is read by its reader (sim_sections.cpp)
// into the area it serves (sim_areas.h); the kernel services are answered in
// sim_kernel.cpp, each device area by its own object.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/machine.h"
#include "platform/sim/machine_document.h"
#include "platform/sim/sim_areas.h"

namespace platform::sim {

class SimMachine final : public Machine {
public:
    // Throws SimFileError (with the place and the reason) for a malformed file.
    explicit SimMachine(const MachineDocument& document);
    ~SimMachine() override;

    // Moves the live state (memory, power, keys) to the next entry of the
    // file's "live" list; the last entry stays once reached.
    void Advance();
    std::size_t LiveStep() const { return areas_->kernel.liveStep; }

    // Kernel services (sim_kernel.cpp).
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
    // Windows-1252 unless the file's "code_page" names another.
    base::CodePage TextCodePage() override;

    // Device areas: one override per area, returning its member of SimAreas.
    DisplayServices& Display() override;
    NetworkServices& Network() override;
    UsbServices& Usb() override;
    DriveServices& Drives() override;
    MultimediaServices& Multimedia() override;
    SpoolerServices& Spooler() override;

private:
    SimKernel& kernel() { return areas_->kernel; }

    std::unique_ptr<SimAreas> areas_;
};

}  // namespace platform::sim
