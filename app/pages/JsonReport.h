#pragma once
// The report as one JSON document, for scripts and fleets
// (docs/report.schema.json):
//   {"schema": "urn:veltrix:report:1", "version": "1.0.0",
//    "categories": {"Processor": {"number": 0, "heading": "Processor",
//                                 "fields": {"Name": "...", "Speed": 2199.75, ...}},
//                   "Display": {"number": 2, "heading": "Weergave",
//                               "fields": {"Name": ..., "Monitor": ...},
//                               "items": [{"Index": 0, "ScreenWidth": 1024, ...}]}, ...}}
// Every field the page shows, under its collector's property name (its
// declaration's json.key), in page order: null where the page shows a
// fallback, a number where the text shows one (bytes, MHz, ms, counts,
// identifiers), a list value as {"text": entry, "value": number}, else the
// text. Strings are UTF-8, made safe by the same rule as every other output.

#include <optional>
#include <string>
#include <string_view>

#include "app/pages/CollectorSet.h"
#include "app/pages/WindowTexts.h"

namespace app {

inline constexpr const char* kJsonReportSchema = "urn:veltrix:report:1";

class JsonReport {
public:
    JsonReport(CollectorSet& collectors, const WindowTexts& texts) : collectors_(collectors), texts_(texts) {}

    // The document of one category (0-14) or of all (kAllCategories), ending
    // in a line feed; nothing when a list row names an entry its list lacks,
    // as the text report.
    std::optional<std::string> Compose(int category, std::string_view version);

private:
    CollectorSet& collectors_;
    const WindowTexts& texts_;
};

}  // namespace app
