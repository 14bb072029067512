#include "app/Categories.h"

#include <stdexcept>
#include <string>

#include "app/CategoryFields.h"

namespace app {

namespace {

const SingleObjectKind<collectors::Processor> kProcessorKind(ProcessorFields);
const SingleObjectKind<collectors::MemoryUsage> kMemoryUsageKind(MemoryUsageFields, MemoryUsageFields);
const SingleObjectKind<collectors::Keyboard> kKeyboardKind(KeyboardFields, KeyboardLockFields);
const SingleObjectKind<collectors::Mouse> kMouseKind(MouseFields);
const SingleObjectKind<collectors::Battery> kBatteryKind(BatteryFields, BatteryFields);

// Categories whose collectors are still to come. The display's adapter and
// monitor read as unknown until then.
constexpr const char* kDisplayAdapterLabels[] = {"LabelDisplayName", "LabelDisplayMonitor"};
const NoCollectorKind kDisplayKind(kDisplayAdapterLabels);
const NoCollectorKind kNoCollector;

}  // namespace

std::span<const CategoryRow> CategoryTable() {
    static const CategoryRow kRows[] = {
        {kProcessor, kProcessorKind},
        {kMemoryUsage, kMemoryUsageKind, true},
        {kDisplay, kDisplayKind},
        {kNetwork, kNoCollector},
        {kSound, kNoCollector},
        {kKeyboard, kKeyboardKind, true},
        {kMouse, kMouseKind},
        {kPrinters, kNoCollector},
        {kJoysticks, kNoCollector},
        {kHardDrives, kNoCollector},
        {kOpticalDrives, kNoCollector},
        {kLogicalDrives, kNoCollector},
        {kPorts, kNoCollector},
        {kUSBDevices, kNoCollector},
        {kBattery, kBatteryKind, true},
    };
    static_assert(std::size(kRows) == kCategoryCount);
    return kRows;
}

const CategoryRow& CategoryRowOf(int category) {
    const auto rows = CategoryTable();
    if (category < 0 || category >= kCategoryCount) throw std::out_of_range("no category " + std::to_string(category));
    return rows[static_cast<std::size_t>(category)];
}

}  // namespace app
