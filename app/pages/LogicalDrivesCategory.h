#pragma once
// The logical drives page: the fields of one logical drive, its rows and
// Dutch texts, and its collector.

#include <span>

#include "app/pages/FieldValues.h"
#include "collectors/LogicalDrives.h"

namespace app {

struct CategoryRow;

const CategoryRow& LogicalDrivesCategory();
// The fields of one drive.
std::span<const Field<collectors::LogicalDriveItem>> LogicalDriveFields();

}  // namespace app
