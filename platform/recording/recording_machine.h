#pragma once
// A machine that records: every request goes to the machine it wraps, and
// every answer is kept, keyed as the machine file keys it, so that a machine
// file written from the record answers the same requests the same way
// (docs/machine-file.md). The live values (memory, power, the keys) are kept
// as the first state they were seen in; the clock measurement keeps the
// counter and clock rates it saw.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/machine.h"
#include "platform/recording/machine_record.h"
#include "platform/recording/recording_areas.h"

namespace platform::recording {

class RecordingMachine final : public Machine {
public:
    explicit RecordingMachine(Machine& real);
    ~RecordingMachine() override;

    // The machine file of everything answered so far (the areas' lists made
    // whole); call once the collectors are done.
    FileJson MachineFile();

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
    base::CodePage TextCodePage() override { return record_.codePage; }

    DriveServices& Drives() override { return drives_; }
    DisplayServices& Display() override { return display_; }
    NetworkServices& Network() override { return network_; }
    MultimediaServices& Multimedia() override { return multimedia_; }
    SpoolerServices& Spooler() override { return spooler_; }
    UsbServices& Usb() override { return usb_; }

private:
    FileJson& Section(const char* name);
    void WriteClock();

    Machine& real_;
    MachineRecord record_;
    RecordingDisplay display_;
    RecordingNetwork network_;
    RecordingMultimedia multimedia_;
    RecordingSpooler spooler_;
    RecordingUsb usb_;
    RecordingDrives drives_;
    // The clock measurement: the counter and the clock as read, in order.
    std::vector<std::uint64_t> counterReads_;
    std::vector<std::optional<std::uint64_t>> clockReads_;
    std::optional<std::uint64_t> clockRate_;
    std::uint32_t sleptBetweenReads_ = 0;  // nominal wait between the first two counter reads
    bool memorySeen_ = false, powerSeen_ = false;
};

}  // namespace platform::recording
