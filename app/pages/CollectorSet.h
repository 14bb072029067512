#pragma once
// The collectors of one machine, one page per category, each made on first
// use and kept: the first read of a category enumerates its hardware, once.

#include <array>
#include <memory>

#include "app/pages/DevicePage.h"
#include "app/pages/PageRows.h"
#include "format/FormatEx.h"
#include "platform/machine.h"

namespace app {

class CollectorSet {
public:
    explicit CollectorSet(platform::Machine& machine) : machine_(machine) {}

    platform::Machine& Machine() { return machine_; }
    const format::FormatEx& Format();

    // The page of a category (0-14) over its collector, made on first use
    // from the category table.
    DevicePage& Devices(int category);
    // Puts another device source in place, before first use (tests).
    void SetDevices(int category, std::unique_ptr<DevicePage> page);

private:
    platform::Machine& machine_;
    std::unique_ptr<format::FormatEx> format_;
    std::array<std::unique_ptr<DevicePage>, kCategoryCount> pages_;
};

}  // namespace app
