#pragma once
// The running system's version and how it was started.

#include <cstdint>
#include <string>

#include "platform/machine.h"

namespace collectors {

class OperatingSystem {
public:
    explicit OperatingSystem(platform::Machine& machine);

    const std::wstring& Name() const { return name_; }
    const std::wstring& Version() const { return version_; }
    std::int32_t BuildNumber() const { return buildNumber_; }
    const std::wstring& ServicePack() const { return servicePack_; }
    bool NT() const { return nt_; }
    std::int32_t BootMode() const { return bootMode_; }  // 0 normal, 1 fail-safe, 2 fail-safe with network

private:
    std::wstring name_;
    std::wstring version_;
    std::int32_t buildNumber_ = 0;
    std::wstring servicePack_;
    bool nt_ = false;
    std::int32_t bootMode_ = 0;
};

}  // namespace collectors
