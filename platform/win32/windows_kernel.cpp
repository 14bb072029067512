// The kernel and user-interface services of the Windows machine.

#include "platform/win32/win32_api.h"

#include <intrin.h>

#include "platform/win32/system_text.h"
#include "platform/win32/windows_machine.h"

namespace platform::win32 {

namespace {

// A character the pattern shows as it is: "%" is written doubled.
void AppendLiteral(std::wstring& pattern, wchar_t c) {
    pattern += c;
    if (c == L'%') pattern += L'%';
}

// A LOCALE_STIMEFORMAT picture ("HH:mm:ss", "h:mm:ss tt", "H 'h' mm") in
// the strftime form the formatting classes take.
std::wstring TimePicture(std::wstring_view picture) {
    std::wstring pattern;
    for (std::size_t i = 0; i < picture.size();) {
        const wchar_t c = picture[i];
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) ++run;
        if (c == L'\'') {  // quoted literal text, '' is one quote
            const std::size_t end = picture.find(L'\'', i + 1);
            const std::size_t stop = end == std::wstring_view::npos ? picture.size() : end;
            if (stop == i + 1) pattern += L'\'';
            for (wchar_t literal : picture.substr(i + 1, stop - i - 1)) AppendLiteral(pattern, literal);
            i = stop == picture.size() ? stop : stop + 1;
            continue;
        }
        switch (c) {
            case L'H': pattern += L"%H"; break;
            case L'h': pattern += L"%I"; break;
            case L'm': pattern += L"%M"; break;
            case L's': pattern += L"%S"; break;
            case L't': pattern += L"%p"; break;
            default:
                for (std::size_t k = 0; k < run; ++k) AppendLiteral(pattern, c);
        }
        i += run;
    }
    return pattern;
}

std::wstring LocaleText(LCTYPE what) {
    char buffer[128] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, what, buffer, sizeof buffer) <= 0) return {};
    return FromAnsi(std::string_view(buffer, sizeof buffer));
}

}  // namespace

SystemInfo WindowsMachine::GetSystemInfo() {
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    SystemInfo result;
    // dwNumberOfProcessors counts one processor group (at most 64); the
    // active processors of every group are the machine's.
    const DWORD all = ::GetActiveProcessorCount(ALL_PROCESSOR_GROUPS);
    result.numberOfProcessors = all > 0 ? all : info.dwNumberOfProcessors;
    result.processorType = info.dwProcessorType;
    return result;
}

CpuidRegisters WindowsMachine::ExecuteCPUID(std::uint32_t leaf) {
    int registers[4] = {};
    __cpuid(registers, static_cast<int>(leaf));
    return {static_cast<std::uint32_t>(registers[0]), static_cast<std::uint32_t>(registers[1]),
            static_cast<std::uint32_t>(registers[2]), static_cast<std::uint32_t>(registers[3])};
}

std::uint64_t WindowsMachine::ReadTimeStampCounter() { return __rdtsc(); }

void WindowsMachine::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

std::optional<std::uint64_t> WindowsMachine::QueryPerformanceCounter() {
    LARGE_INTEGER counter{};
    if (!::QueryPerformanceCounter(&counter)) return std::nullopt;
    return static_cast<std::uint64_t>(counter.QuadPart);
}

std::optional<std::uint64_t> WindowsMachine::QueryPerformanceFrequency() {
    LARGE_INTEGER frequency{};
    if (!::QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return std::nullopt;
    return static_cast<std::uint64_t>(frequency.QuadPart);
}

std::optional<MemoryStatusEx> WindowsMachine::GlobalMemoryStatusEx() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!::GlobalMemoryStatusEx(&status)) return std::nullopt;
    return MemoryStatusEx{status.dwMemoryLoad,    status.ullTotalPhys,    status.ullAvailPhys,
                          status.ullTotalPageFile, status.ullAvailPageFile, status.ullTotalVirtual,
                          status.ullAvailVirtual};
}

std::optional<SystemPowerStatus> WindowsMachine::GetSystemPowerStatus() {
    SYSTEM_POWER_STATUS status{};
    if (!::GetSystemPowerStatus(&status)) return std::nullopt;
    SystemPowerStatus result;
    result.acLineStatus = status.ACLineStatus;
    result.batteryFlag = status.BatteryFlag;
    result.batteryLifePercent = status.BatteryLifePercent;
    result.batteryLifeTime = status.BatteryLifeTime;
    result.batteryFullLifeTime = status.BatteryFullLifeTime;
    return result;
}

std::optional<OsVersionInfo> WindowsMachine::GetVersionEx() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info)) return std::nullopt;
    OsVersionInfo result;
    result.majorVersion = info.dwMajorVersion;
    result.minorVersion = info.dwMinorVersion;
    result.buildNumber = info.dwBuildNumber;
    result.platformId = info.dwPlatformId;
    result.csdVersion.assign(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof info.szCSDVersion));
    return result;
}

int WindowsMachine::GetKeyboardType(int query) { return ::GetKeyboardType(query); }

std::optional<std::string> WindowsMachine::GetKeyboardLayoutName() {
    char name[KL_NAMELENGTH] = {};
    if (!::GetKeyboardLayoutNameA(name)) return std::nullopt;
    return std::string(name, strnlen(name, sizeof name));
}

std::optional<std::uint32_t> WindowsMachine::SystemParametersInfo(std::uint32_t action) {
    UINT value = 0;
    if (!::SystemParametersInfoA(action, 0, &value, 0)) return std::nullopt;
    return value;
}

std::int16_t WindowsMachine::GetKeyState(int virtualKey) { return ::GetKeyState(virtualKey); }

int WindowsMachine::GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

std::uint32_t WindowsMachine::GetDoubleClickTime() { return ::GetDoubleClickTime(); }

RegionalSettings WindowsMachine::GetRegionalSettings() {
    RegionalSettings settings;
    if (auto decimal = LocaleText(LOCALE_SDECIMAL); !decimal.empty()) settings.decimalSeparator = decimal;
    settings.thousandsSeparator = LocaleText(LOCALE_STHOUSAND);
    if (auto picture = LocaleText(LOCALE_STIMEFORMAT); !picture.empty()) settings.timeFormat = TimePicture(picture);
    return settings;
}

// The A functions hand text over in the ANSI code page. UTF-8 (a manifest's
// activeCodePage, or the system-wide setting) is decoded as such; every other
// ANSI code page is read as Windows-1252, the code page of western
// installations.
// Every code page but Windows-1252 and UTF-8 is converted with the system's
// tables (InstallSystemCodePages).
base::CodePage WindowsMachine::TextCodePage() { return static_cast<base::CodePage>(::GetACP()); }

}  // namespace platform::win32
