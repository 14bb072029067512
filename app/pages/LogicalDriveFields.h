#pragma once
// The fields of one logical drive (page 11 and its report block).

#include <span>

#include "app/pages/FieldValues.h"
#include "collectors/LogicalDrives.h"

namespace app {

std::span<const Field<collectors::LogicalDriveItem>> LogicalDriveFields();

}  // namespace app
