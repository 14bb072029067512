#pragma once
// A JSON report read back (docs/report.schema.json): from a file a user
// names, so nothing in it is trusted. A document of another layout is
// refused: a newer report (a later schema number) and anything else.

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace app::changes {

using Json = nlohmann::ordered_json;

struct ReportDocument {
    std::optional<Json> document;
    std::string error;  // when !document: why, in a few words
};

// Parses `text` and checks what a comparison relies on: the schema, the
// categories by their names, each with its "fields" object and, for a
// category that lists devices, an "items" array of objects, and every value
// a scalar or a list value ({"text": ..., "value": ...}).
ReportDocument ReadReportDocument(std::string_view text);

}  // namespace app::changes
