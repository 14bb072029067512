#pragma once
// The fields of one network card: its name, driver version and hardware address.

#include <span>

#include "app/pages/FieldValues.h"
#include "collectors/Network.h"

namespace app {

std::span<const Field<collectors::NetworkItem>> NetworkFields();

}  // namespace app
