#pragma once
// What changed between two JSON reports of a machine, category by category:
// the category's own fields whose value changed, the devices removed, the
// devices added, and for a device in both, each field whose value changed.
// Devices are matched by what names them (app/changes/FieldTraits.h), never
// by their place in the list: their serial where they have one, else their
// model with their place; devices that share a name are matched in list
// order. Values that change by themselves are left out unless asked for.

#include <string>
#include <vector>

#include "app/changes/ReportDocument.h"

namespace app::changes {

struct FieldChange {
    std::string key;  // the JSON key
    Json before;
    Json after;
};

struct DeviceChange {
    enum class Kind { kRemoved, kAdded, kChanged };
    Kind kind = Kind::kChanged;
    int earlierIndex = -1;  // in the earlier list (removed, changed)
    int index = -1;         // in the later list (added, changed)
    Json identity;          // the fields that name the device, as the list holds them
    Json item;              // the whole device (removed, added)
    std::vector<FieldChange> fields;  // changed
};

struct CategoryChanges {
    int category = 0;
    std::vector<FieldChange> fields;  // the category's own
    std::vector<DeviceChange> devices;  // removed, then added, then changed
};

struct ComparisonOptions {
    bool allFields = false;  // live values too
};

// Both documents as ReadReportDocument accepts them. Only the categories both
// hold are compared, in tab order; a category without a change is not listed.
std::vector<CategoryChanges> CompareReports(const Json& earlier, const Json& later, const ComparisonOptions& options);

}  // namespace app::changes
