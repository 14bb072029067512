#include "collectors/MemoryUsage.h"

#include <algorithm>
#include <limits>

namespace collectors {

namespace {

// Byte counts are signed 64-bit amounts; anything larger is clamped.
std::int64_t Amount(std::uint64_t bytes) {
    return static_cast<std::int64_t>(std::min<std::uint64_t>(bytes, std::numeric_limits<std::int64_t>::max()));
}

}  // namespace

MemoryUsage::MemoryUsage(platform::Machine& machine) : machine_(machine) { Refresh(); }

void MemoryUsage::Refresh() {
    const auto status = machine_.GlobalMemoryStatusEx();
    if (!status) return;
    availablePagingFile_ = Amount(status->availPageFile);
    availablePhysical_ = Amount(status->availPhys);
    availableVirtual_ = Amount(status->availVirtual);
    load_ = static_cast<std::uint8_t>(std::min<std::uint32_t>(status->memoryLoad, 100));
    totalPagingFile_ = Amount(status->totalPageFile);
    totalPhysical_ = Amount(status->totalPhys);
    totalVirtual_ = Amount(status->totalVirtual);
}

}  // namespace collectors
