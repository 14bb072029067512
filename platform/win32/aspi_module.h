#pragma once
// ASPI for Win32 as the Windows machine reaches it: WnAspi32.dll with its two
// routines, loaded once and released with its owner. Every command is
// bounded in time like every other device request.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/drive_services.h"
#include "platform/win32/win32_api.h"

namespace platform::win32 {

class AspiModule {
public:
    // The module from the program's folder or the system's (never the
    // current folder, where anyone may have put a file of that name); none
    // when it is absent or lacks either routine.
    static std::unique_ptr<AspiModule> Load();
    ~AspiModule();
    AspiModule(const AspiModule&) = delete;
    AspiModule& operator=(const AspiModule&) = delete;

    std::uint32_t GetASPI32SupportInfo();
    // The module answers these two at once.
    std::uint32_t SendASPI32Command(SrbHaInquiry& srb);
    std::uint32_t SendASPI32Command(SrbGetDevType& srb);
    // Waits at most `milliseconds` for a command the module leaves pending;
    // the data reaches srb.buffer only when the command completed.
    std::uint32_t SendASPI32Command(SrbExecScsiCmd& srb, DWORD milliseconds);

private:
    using SupportInfoRoutine = DWORD(__cdecl*)();
    using SendCommandRoutine = DWORD(__cdecl*)(void*);
    struct Command;

    AspiModule(HMODULE module, SupportInfoRoutine supportInfo, SendCommandRoutine sendCommand);

    HMODULE module_;
    SupportInfoRoutine supportInfo_;
    SendCommandRoutine sendCommand_;
    // Commands that did not complete in time: the module may still write
    // into their block and buffer and signal their event, so those stay.
    std::vector<std::unique_ptr<Command>> abandoned_;
};

}  // namespace platform::win32
