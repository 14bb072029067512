#include "app/CollectorSet.h"

namespace app {

const format::FormatEx& CollectorSet::Format() {
    if (!format_) format_ = std::make_unique<format::FormatEx>(machine_.GetRegionalSettings());
    return *format_;
}

collectors::Processor& CollectorSet::Processor() { return Get(processor_); }
collectors::MemoryUsage& CollectorSet::MemoryUsage() { return Get(memoryUsage_); }
collectors::Keyboard& CollectorSet::Keyboard() { return Get(keyboard_); }
collectors::Mouse& CollectorSet::Mouse() { return Get(mouse_); }
collectors::Battery& CollectorSet::Battery() { return Get(battery_); }

DevicePage& CollectorSet::Devices(int category) {
    auto& slot = devices_.at(static_cast<std::size_t>(category));
    if (!slot) slot = MakeEmptyDevicePage(category);
    return *slot;
}

void CollectorSet::SetDevices(int category, std::unique_ptr<DevicePage> page) {
    devices_.at(static_cast<std::size_t>(category)) = std::move(page);
}

}  // namespace app
