#pragma once
// The kernel and user-interface services every machine has: processor,
// memory, power, system version, keyboard, mouse and the regional settings.
// Operations keep the names of the Windows services they stand for, so a
// collector's call reads the same on every backend; each takes what goes in
// and returns what the caller relies on. A failing request is an empty
// optional (or the documented "nothing" value), never an exception.

#include <cstdint>
#include <optional>
#include <string>

#include "base/codepage.h"

namespace platform {

// GetSystemInfo: the two fields the program relies on.
struct SystemInfo {
    std::uint32_t numberOfProcessors = 0;
    // 386, 486 or 586 for the 32-bit x86 family, 8664 for x86-64 (486, 586
    // and 8664 make the CPUID identification run); any other value stands
    // for a processor without CPUID.
    std::uint32_t processorType = 0;
};

// One CPUID answer, in register order.
struct CpuidRegisters {
    std::uint32_t eax = 0;
    std::uint32_t ebx = 0;
    std::uint32_t ecx = 0;
    std::uint32_t edx = 0;
};

// GlobalMemoryStatusEx: 64-bit byte counts, so machines above 2 GiB read right.
struct MemoryStatusEx {
    std::uint32_t memoryLoad = 0;  // percent in use, 0-100
    std::uint64_t totalPhys = 0;
    std::uint64_t availPhys = 0;
    std::uint64_t totalPageFile = 0;  // commit limit
    std::uint64_t availPageFile = 0;
    std::uint64_t totalVirtual = 0;  // user part of this process's address space
    std::uint64_t availVirtual = 0;
};

// GetSystemPowerStatus.
struct SystemPowerStatus {
    static constexpr std::uint8_t kUnknownByte = 255;
    static constexpr std::uint32_t kUnknownTime = 0xFFFFFFFFu;
    // Battery flag bits.
    static constexpr std::uint8_t kBatteryHigh = 1;
    static constexpr std::uint8_t kBatteryLow = 2;
    static constexpr std::uint8_t kBatteryCritical = 4;
    static constexpr std::uint8_t kBatteryCharging = 8;
    static constexpr std::uint8_t kNoSystemBattery = 128;

    std::uint8_t acLineStatus = kUnknownByte;  // 0 offline, 1 online, 255 unknown
    std::uint8_t batteryFlag = kUnknownByte;
    std::uint8_t batteryLifePercent = kUnknownByte;  // 0-100, 255 unknown
    std::uint32_t batteryLifeTime = kUnknownTime;    // seconds
    std::uint32_t batteryFullLifeTime = kUnknownTime;
};

// GetVersionExA: the fields the operating-system collector reads.
struct OsVersionInfo {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;  // 1 the 9x family, 2 the NT family, else neither
    std::string csdVersion;        // text in the machine's code page
};

// The user's regional settings, as the formatting classes need them.
struct RegionalSettings {
    std::wstring decimalSeparator = L".";
    std::wstring thousandsSeparator = L",";
    // strftime-style pattern for a time of day; %H %I %M %S %p and literal text.
    std::wstring timeFormat = L"%H:%M:%S";
};

// Windows codes used with the operations below.
namespace code {
inline constexpr int kKeyboardTypeQuery = 0;          // GetKeyboardType
inline constexpr int kKeyboardFunctionKeysQuery = 2;  // GetKeyboardType
inline constexpr std::uint32_t kSpiGetKeyboardSpeed = 10;
inline constexpr std::uint32_t kSpiGetKeyboardDelay = 22;
inline constexpr int kVkTab = 0x09;
inline constexpr int kVkCapital = 0x14;
inline constexpr int kVkNumLock = 0x90;
inline constexpr int kVkScroll = 0x91;
inline constexpr int kSmSwapButton = 23;
inline constexpr int kSmCMouseButtons = 43;
inline constexpr int kSmCleanBoot = 67;
inline constexpr int kSmMouseWheelPresent = 75;
}  // namespace code

class KernelServices {
public:
    virtual ~KernelServices() = default;

    // Kernel services.
    virtual SystemInfo GetSystemInfo() = 0;
    virtual CpuidRegisters ExecuteCPUID(std::uint32_t leaf) = 0;
    virtual std::uint64_t ReadTimeStampCounter() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // QueryPerformanceCounter and QueryPerformanceFrequency: the system's
    // monotonic clock in ticks, and its ticks per second; nothing when the
    // machine has none. A wait can last longer than asked, this clock tells
    // how long it really lasted.
    virtual std::optional<std::uint64_t> QueryPerformanceCounter() = 0;
    virtual std::optional<std::uint64_t> QueryPerformanceFrequency() = 0;
    virtual std::optional<MemoryStatusEx> GlobalMemoryStatusEx() = 0;
    virtual std::optional<SystemPowerStatus> GetSystemPowerStatus() = 0;
    virtual std::optional<OsVersionInfo> GetVersionEx() = 0;

    // User-interface services for keyboard and mouse.
    virtual int GetKeyboardType(int query) = 0;
    // Eight hexadecimal digits naming the active layout, e.g. 00000409.
    virtual std::optional<std::string> GetKeyboardLayoutName() = 0;
    virtual std::optional<std::uint32_t> SystemParametersInfo(std::uint32_t action) = 0;
    virtual std::int16_t GetKeyState(int virtualKey) = 0;
    virtual int GetSystemMetrics(int index) = 0;
    virtual std::uint32_t GetDoubleClickTime() = 0;

    // Locale.
    virtual RegionalSettings GetRegionalSettings() = 0;

    // The code page of every text handed over in a single-byte buffer (names
    // of volumes, printers, devices; records and replies of every area): the
    // collectors decode with base::DecodeText(TextCodePage(), bytes). A Windows
    // machine answers its ANSI code page; the default is Windows-1252.
    virtual base::CodePage TextCodePage() { return base::CodePage::kWindows1252; }
};

}  // namespace platform
