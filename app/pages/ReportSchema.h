#pragma once
// The JSON Schema of the JSON report (docs/report.schema.json), written from
// the category table: each category's keys, their types and notes come from
// its field declarations, so the schema cannot say other than the writer. A
// test holds the checked-in file to this text byte for byte.

#include <string>

namespace app {

std::string ReportSchema();

}  // namespace app
