#include "collectors/OperatingSystem.h"

#include "base/codepage.h"

namespace collectors {

namespace {

constexpr std::uint32_t kFamily9x = 1;
constexpr std::uint32_t kFamilyNT = 2;

struct NamedVersion {
    std::uint32_t family, major, minor;
    const wchar_t* name;
};

constexpr NamedVersion kNames[] = {
    {kFamily9x, 4, 0, L"Windows 95"},   {kFamily9x, 4, 10, L"Windows 98"},
    {kFamily9x, 4, 90, L"Windows Me"},  {kFamilyNT, 4, 0, L"Windows NT"},
    {kFamilyNT, 5, 0, L"Windows 2000"}, {kFamilyNT, 5, 1, L"Windows XP"},
    {kFamilyNT, 5, 2, L"Windows Server 2003"}, {kFamilyNT, 6, 0, L"Windows Vista"},
    {kFamilyNT, 6, 1, L"Windows 7"},
};

std::wstring NameOf(std::uint32_t family, std::uint32_t major, std::uint32_t minor) {
    for (const auto& v : kNames)
        if (v.family == family && v.major == major && v.minor == minor) return v.name;
    return {};
}

}  // namespace

OperatingSystem::OperatingSystem(platform::Machine& machine) {
    bootMode_ = machine.GetSystemMetrics(platform::code::kSmCleanBoot);
    const auto info = machine.GetVersionEx();
    if (!info) return;
    servicePack_ = base::TextFromBuffer(machine.TextCodePage(), info->csdVersion);
    version_ = std::to_wstring(info->majorVersion) + L"." + std::to_wstring(info->minorVersion);
    if (info->platformId == kFamily9x) {
        if (info->majorVersion == 4) {
            buildNumber_ = static_cast<std::int32_t>(info->buildNumber & 0xFFFF);
            name_ = NameOf(kFamily9x, 4, info->minorVersion);
        }
    } else if (info->platformId == kFamilyNT) {
        buildNumber_ = static_cast<std::int32_t>(info->buildNumber);
        nt_ = true;
        name_ = NameOf(kFamilyNT, info->majorVersion, info->minorVersion);
    }
}

}  // namespace collectors
