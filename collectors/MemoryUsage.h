#pragma once
// Memory in use: physical memory, the commit limit and this process's
// address space, as 64-bit byte counts.

#include <cstdint>

#include "platform/machine.h"

namespace collectors {

class MemoryUsage {
public:
    explicit MemoryUsage(platform::Machine& machine);

    // Re-reads every figure; a failed request leaves the previous ones.
    void Refresh();

    std::uint8_t Load() const { return load_; }
    std::int64_t TotalPhysical() const { return totalPhysical_; }
    std::int64_t AvailablePhysical() const { return availablePhysical_; }
    std::int64_t TotalPagingFile() const { return totalPagingFile_; }
    std::int64_t AvailablePagingFile() const { return availablePagingFile_; }
    std::int64_t TotalVirtual() const { return totalVirtual_; }
    std::int64_t AvailableVirtual() const { return availableVirtual_; }

private:
    platform::Machine& machine_;
    std::uint8_t load_ = 0;
    std::int64_t totalPhysical_ = 0;
    std::int64_t availablePhysical_ = 0;
    std::int64_t totalPagingFile_ = 0;
    std::int64_t availablePagingFile_ = 0;
    std::int64_t totalVirtual_ = 0;
    std::int64_t availableVirtual_ = 0;
};

}  // namespace collectors
