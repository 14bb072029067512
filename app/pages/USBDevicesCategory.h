#pragma once
// The USB devices page: the fields of one USB device (its strings,
// identifiers, power, class codes and the versions of the device and of the
// USB standard it follows), its rows and Dutch texts, and its collector.

namespace app {

struct CategoryRow;

const CategoryRow& USBDevicesCategory();

}  // namespace app
