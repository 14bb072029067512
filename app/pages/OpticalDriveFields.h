#pragma once
// The fields of one optical drive (page 10 and its report block).

#include <span>

#include "app/pages/FieldValues.h"
#include "collectors/OpticalDrives.h"

namespace app {

std::span<const Field<collectors::OpticalDriveItem>> OpticalDriveFields();

}  // namespace app
