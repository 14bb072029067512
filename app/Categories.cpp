#include "app/Categories.h"

#include <stdexcept>
#include <string>

#include "app/CategoryFields.h"
#include "app/HardDriveFields.h"
#include "app/LogicalDriveFields.h"
#include "app/OpticalDriveFields.h"
#include "app/JoysticksFields.h"
#include "app/PortsFields.h"
#include "app/PrintersFields.h"
#include "app/SoundFields.h"

namespace app {

namespace {

const SingleObjectKind<collectors::Processor> kProcessorKind(ProcessorFields);
const SingleObjectKind<collectors::MemoryUsage> kMemoryUsageKind(MemoryUsageFields, MemoryUsageFields);
const SingleObjectKind<collectors::Keyboard> kKeyboardKind(KeyboardFields, KeyboardLockFields);
const SingleObjectKind<collectors::Mouse> kMouseKind(MouseFields);
const SingleObjectKind<collectors::Battery> kBatteryKind(BatteryFields, BatteryFields);
const CollectionKind<collectors::HardDrives> kHardDrivesKind(HardDriveFields);
const CollectionKind<collectors::OpticalDrives> kOpticalDrivesKind(OpticalDriveFields);
const CollectionKind<collectors::LogicalDrives> kLogicalDrivesKind(LogicalDriveFields);
const CollectionKind<collectors::Sound> kSoundKind(SoundFields, nullptr, PreferredSoundItem);
const CollectionKind<collectors::Printers> kPrintersKind(PrintersFields, nullptr, PreferredPrinter);
const CollectionKind<collectors::Joysticks> kJoysticksKind(JoysticksFields);
const CollectionKind<collectors::Ports> kPortsKind(PortsFields);

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
        {kSound, kSoundKind},
        {kKeyboard, kKeyboardKind, true},
        {kMouse, kMouseKind},
        {kPrinters, kPrintersKind},
        {kJoysticks, kJoysticksKind},
        {kHardDrives, kHardDrivesKind},
        {kOpticalDrives, kOpticalDrivesKind},
        {kLogicalDrives, kLogicalDrivesKind},
        {kPorts, kPortsKind},
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
