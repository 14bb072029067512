#pragma once
// The collectors of one machine, each created on first use and kept: the
// first read of a category enumerates its hardware, once.

#include <array>
#include <memory>

#include "app/DevicePage.h"
#include "collectors/Battery.h"
#include "collectors/Keyboard.h"
#include "collectors/MemoryUsage.h"
#include "collectors/Mouse.h"
#include "collectors/Processor.h"
#include "format/FormatEx.h"
#include "platform/machine.h"

namespace app {

class CollectorSet {
public:
    explicit CollectorSet(platform::Machine& machine) : machine_(machine) {}

    platform::Machine& Machine() { return machine_; }
    const format::FormatEx& Format();

    collectors::Processor& Processor();
    collectors::MemoryUsage& MemoryUsage();
    collectors::Keyboard& Keyboard();
    collectors::Mouse& Mouse();
    collectors::Battery& Battery();

    // The collector of a device category (2, 3, 4, 7 to 13), made on first use.
    DevicePage& Devices(int category);
    // Puts another device source in place, before first use (tests).
    void SetDevices(int category, std::unique_ptr<DevicePage> page);

private:
    template <typename T>
    T& Get(std::unique_ptr<T>& slot) {
        if (!slot) slot = std::make_unique<T>(machine_);
        return *slot;
    }

    platform::Machine& machine_;
    std::unique_ptr<format::FormatEx> format_;
    std::unique_ptr<collectors::Processor> processor_;
    std::unique_ptr<collectors::MemoryUsage> memoryUsage_;
    std::unique_ptr<collectors::Keyboard> keyboard_;
    std::unique_ptr<collectors::Mouse> mouse_;
    std::unique_ptr<collectors::Battery> battery_;
    std::array<std::unique_ptr<DevicePage>, 15> devices_;
};

}  // namespace app
