#pragma once
// The changes as one JSON document for scripts and monitoring
// (docs/changes.schema.json):
//   {"schema": "urn:veltrix:changes:1", "version": "1.0.0", "changed": true,
//    "categories": {"HardDrives": {"number": 9, "heading": "Harde Stations",
//        "fields": [],
//        "removed": [{"index": 1, "identity": {...}, "item": {...}}],
//        "added": [{"index": 1, "identity": {...}, "item": {...}}],
//        "changed": [{"index": 0, "earlier": 2, "identity": {...},
//                     "fields": [{"key": "Controller", "before": ..., "after": ...}]}]}}}
// Only the categories with a change are listed; nothing changed is
// "changed": false and no categories.

#include <string>
#include <string_view>
#include <vector>

#include "app/changes/ReportComparison.h"

namespace app::changes {

inline constexpr const char* kChangesSchema = "urn:veltrix:changes:1";

// Ends in a line feed.
std::string ChangesJson(const std::vector<CategoryChanges>& changes, std::string_view version);

}  // namespace app::changes
