#include "app/pages/Categories.h"

#include <stdexcept>
#include <string>

#include "app/pages/CategoryFields.h"
#include "app/pages/DisplayFields.h"
#include "app/pages/HardDriveFields.h"
#include "app/pages/LogicalDriveFields.h"
#include "app/pages/OpticalDriveFields.h"
#include "app/pages/JoysticksFields.h"
#include "app/pages/NetworkFields.h"
#include "app/pages/PortsFields.h"
#include "app/pages/PrintersFields.h"
#include "app/pages/SoundFields.h"
#include "app/pages/USBDevicesFields.h"

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

const CollectionKind<collectors::Display> kDisplayKind(DisplayModeFields, DisplayAdapterFields, PreferredDisplayMode);
const CollectionKind<collectors::Network> kNetworkKind(NetworkFields);
const CollectionKind<collectors::USBDevices> kUSBDevicesKind(USBDevicesFields);

}  // namespace

std::span<const CategoryRow> CategoryTable() {
    static const CategoryRow kRows[] = {
        {kProcessor, kProcessorKind},
        {kMemoryUsage, kMemoryUsageKind, true},
        {kDisplay, kDisplayKind},
        {kNetwork, kNetworkKind},
        {kSound, kSoundKind},
        {kKeyboard, kKeyboardKind, true},
        {kMouse, kMouseKind},
        {kPrinters, kPrintersKind},
        {kJoysticks, kJoysticksKind},
        {kHardDrives, kHardDrivesKind},
        {kOpticalDrives, kOpticalDrivesKind},
        {kLogicalDrives, kLogicalDrivesKind},
        {kPorts, kPortsKind},
        {kUSBDevices, kUSBDevicesKind},
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
