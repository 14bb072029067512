#pragma once
// The fields of one hard drive (page 9 and its report block).

#include <span>

#include "app/pages/FieldValues.h"
#include "collectors/HardDrives.h"

namespace app {

std::span<const Field<collectors::HardDriveItem>> HardDriveFields();

}  // namespace app
