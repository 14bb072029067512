#pragma once
// The fields of one port; the report writes only its name.

#include <span>

#include "app/pages/FieldValues.h"
#include "collectors/Ports.h"

namespace app {

std::span<const Field<collectors::PortItem>> PortsFields();

}  // namespace app
