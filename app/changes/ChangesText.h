#pragma once
// The changes in the report's own words, one line each, for a terminal or a
// mail: the Dutch heading of the category, what happened, the device by the
// fields that name it, and a changed field's caption with its old and new
// value (docs/report-format.md, "What changed"):
//   Geheugengebruik: gewijzigd: Totaal Fysiek: 8589934592 -> 17179869184
//   Harde Stations: verwijderd (Naam: WDC WD20EZRZ, Serienummer: WD-1, Controller: Primaire Slave)
//   Harde Stations: gewijzigd (Naam: Maxtor 6Y080P0, Serienummer: Y24X835E): Controller: Primaire Master -> Secundaire Master

#include <string>
#include <vector>

#include "app/changes/ReportComparison.h"

namespace app::changes {

// No lines when nothing changed. The lines are machine text still: the
// writer passes them through the one rule for it when it encodes them.
std::vector<std::wstring> ChangesText(const std::vector<CategoryChanges>& changes);

}  // namespace app::changes
