#pragma once
// The fields of one printer, and the printer the page shows first.

#include <span>

#include "app/pages/FieldValues.h"
#include "collectors/Printers.h"

namespace app {

std::span<const Field<collectors::PrinterItem>> PrintersFields();
// The default printer, or -1 when none is marked.
int PreferredPrinter(const collectors::Printers& printers);

}  // namespace app
