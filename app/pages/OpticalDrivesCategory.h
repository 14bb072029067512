#pragma once
// The optical drives page: the fields of one optical drive, its rows and
// Dutch texts, and its collector.

#include <span>

#include "app/pages/FieldValues.h"
#include "collectors/OpticalDrives.h"

namespace app {

struct CategoryRow;

const CategoryRow& OpticalDrivesCategory();
// The fields of one drive.
std::span<const Field<collectors::OpticalDriveItem>> OpticalDriveFields();

}  // namespace app
