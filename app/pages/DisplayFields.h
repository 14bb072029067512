#pragma once
// The fields of the display page: the adapter and its monitor (written once,
// before the modes), and per display mode its size, depth, rate and whether
// it is the mode in use.

#include <span>

#include "app/pages/FieldValues.h"
#include "collectors/Display.h"

namespace app {

std::span<const Field<collectors::Display>> DisplayAdapterFields();
std::span<const Field<collectors::DisplayItem>> DisplayModeFields();
// The mode in use is shown first; -1 when no mode is.
int PreferredDisplayMode(const collectors::Display& display);

}  // namespace app
