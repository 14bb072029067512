#pragma once
// The fields of one port.

#include <span>

#include "app/FieldValues.h"
#include "collectors/Ports.h"

namespace app {

std::span<const Field<collectors::PortItem>> PortsFields();

}  // namespace app
