#pragma once
// The field tables of the single-object categories (app/FieldValues.h).

#include <span>

#include "app/pages/FieldValues.h"
#include "collectors/Battery.h"
#include "collectors/Keyboard.h"
#include "collectors/MemoryUsage.h"
#include "collectors/Mouse.h"
#include "collectors/Processor.h"

namespace app {

std::span<const Field<collectors::Processor>> ProcessorFields();
std::span<const Field<collectors::MemoryUsage>> MemoryUsageFields();
std::span<const Field<collectors::Keyboard>> KeyboardFields();
// The three lock-key rows: the last three keyboard fields, rewritten on refresh.
std::span<const Field<collectors::Keyboard>> KeyboardLockFields();
std::span<const Field<collectors::Mouse>> MouseFields();
std::span<const Field<collectors::Battery>> BatteryFields();

}  // namespace app
