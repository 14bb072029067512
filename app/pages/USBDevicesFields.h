#pragma once
// The fields of one USB device: its strings, identifiers, power, class codes
// and the versions of the device and of the USB standard it follows.

#include <span>

#include "app/pages/FieldValues.h"
#include "collectors/USBDevices.h"

namespace app {

std::span<const Field<collectors::USBDeviceItem>> USBDevicesFields();

}  // namespace app
